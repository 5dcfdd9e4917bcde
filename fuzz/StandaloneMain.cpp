// Runs a fuzz target over the files and folders named on its command line,
// without libFuzzer: the seed corpus and every kept crasher become
// regression tests of the ordinary (and sanitizer) test build.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

void RunOne(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  // Like libFuzzer, never hand a null pointer over, also not for an empty
  // input: the targets pass it on to functions that require one.
  static const uint8_t noBytes = 0;
  LLVMFuzzerTestOneInput(bytes.empty() ? &noBytes : bytes.data(), bytes.size());
}

}  // namespace

int main(int argc, char** argv) {
  int inputs = 0;
  for (int i = 1; i < argc; ++i) {
    const std::filesystem::path path = argv[i];
    if (std::filesystem::is_directory(path)) {
      for (const auto& entry : std::filesystem::directory_iterator(path)) {
        if (entry.is_regular_file()) {
          RunOne(entry.path());
          ++inputs;
        }
      }
    } else if (std::filesystem::is_regular_file(path)) {
      RunOne(path);
      ++inputs;
    } else {
      // A corpus that moved must not turn the regression test into a no-op.
      std::fprintf(stderr, "no such corpus: %s\n", argv[i]);
      return 1;
    }
  }
  std::printf("%d inputs ran without a failed check\n", inputs);
  return inputs > 0 ? 0 : 1;
}
