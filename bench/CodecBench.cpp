// Decoding one KVX logo, in both variants, from a file in a temporary folder
// (the file is in the page cache after the first run, as in a batch).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "codec/ByteBuffer.h"
#include "codec/Decoder.h"
#include "platform/files/HostFiles.h"

namespace {

class KvxFile {
 public:
  KvxFile() {
    char pattern[] = "/tmp/lumbench-XXXXXX";
    folder_ = ::mkdtemp(pattern);
    path_ = folder_ + "/logo.kvx";
    lum::ByteBuffer logo;
    uint8_t header[8];
    lum::WriteLogoHeader(header, {50, 30});
    logo.Write(header, 8);
    for (int i = 0; i < 50 * 30; ++i) {
      uint8_t word[2];
      lum::WriteBigEndian16(word, static_cast<uint16_t>(i % 7 == 0 ? 0 : 0x8000 | i));
      logo.Write(word, 2);
    }
    logo.SaveToFile(path_, lum::platform::HostFiles());
  }
  ~KvxFile() {
    ::unlink(path_.c_str());
    ::unlink((folder_ + "/logo.bmp").c_str());
    ::rmdir(folder_.c_str());
  }
  const std::string& Path() const { return path_; }

 private:
  std::string folder_;
  std::string path_;
};

void BM_DecodeKvxViewer(benchmark::State& state) {
  KvxFile file;
  lum::ByteBuffer input, output;
  for (auto _ : state) {
    lum::DecodeLogo(file.Path(), 5, input, output, lum::platform::HostFiles());
    benchmark::DoNotOptimize(output.Data());
  }
}
BENCHMARK(BM_DecodeKvxViewer);

void BM_DecodeKvxConsole(benchmark::State& state) {
  KvxFile file;
  lum::ByteBuffer input;
  for (auto _ : state) lum::DecodeLogoToFile(file.Path(), input, lum::platform::HostFiles())->Close();
}
BENCHMARK(BM_DecodeKvxConsole);

}  // namespace
