// Fuzz target: arbitrary bytes as a logo file through the console decoder,
// in a temporary folder. Checks the size on disk and when the output file
// may exist: overflow of -2 * width and too-short files leave none, overflow
// of height - 1 or -4 * width leaves the 54-byte header alone.
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

#include "base/Errors.h"
#include "codec/Decoder.h"
#include "fuzz/FuzzSupport.h"
#include "platform/files/HostFiles.h"

namespace {

// The folder the logo and its BMP file are written to, removed at exit.
class TempFolder {
 public:
  TempFolder() {
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/lumfuzz-XXXXXX";
    if (!::mkdtemp(pattern.data())) std::abort();
    path_ = pattern;
  }
  ~TempFolder() {
    ::unlink((path_ + "/logo.kvx").c_str());
    ::unlink((path_ + "/logo.bmp").c_str());
    ::rmdir(path_.c_str());
  }
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

int64_t SizeOnDisk(const std::string& path) {
  struct stat status {};
  return ::stat(path.c_str(), &status) == 0 ? status.st_size : -1;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const TempFolder folder;
  static const std::string logoPath = folder.Path() + "/logo.kvx";
  static const std::string bmpPath = folder.Path() + "/logo.bmp";
  ::unlink(bmpPath.c_str());
  FILE* logo = std::fopen(logoPath.c_str(), "wb");
  if (!logo || std::fwrite(data, 1, size, logo) != size || std::fclose(logo) != 0) std::abort();

  std::string refusal = lum::fuzz::ExpectedRefusal(data, size, true);
  int64_t expectedSize = -1;  // no output file
  if (refusal.empty()) {
    const lum::LogoHeader header = lum::ReadLogoHeader(data);
    const bool heightOverflows = header.height == INT32_MIN;
    const bool rowOverflows = header.height >= 1 && (-4 * int64_t{header.width} < INT32_MIN ||
                                                     -4 * int64_t{header.width} > INT32_MAX);
    if (heightOverflows || rowOverflows) {
      refusal = lum::msg::kIntOverflow;
      expectedSize = lum::kBmpHeaderSize;
    } else {
      expectedSize = lum::DecodedBmpSize(header.width, header.height);
    }
  }

  lum::ByteBuffer input;
  try {
    lum::DecodeLogoToFile(logoPath, input, lum::platform::HostFiles())->Close();
    if (!refusal.empty()) lum::fuzz::Fail("accepted, expected: " + refusal);
  } catch (const lum::LumError& failure) {
    if (failure.what() != refusal) lum::fuzz::Fail(std::string("refused with: ") + failure.what());
  }
  if (SizeOnDisk(bmpPath) != expectedSize) lum::fuzz::Fail("output size " + std::to_string(SizeOnDisk(bmpPath)));
  if (expectedSize > static_cast<int64_t>(2 * size + lum::kBmpHeaderSize)) lum::fuzz::Fail("output > 2x input");
  return 0;
}
