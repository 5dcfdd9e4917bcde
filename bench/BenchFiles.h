// Files for the codec benchmarks: a temporary folder, removed with whatever
// a benchmark left in it, and a logo file of chosen pixels in one (in the
// page cache once written).
#pragma once

#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <string>

#include "codec/ByteBuffer.h"
#include "codec/LogoFormat.h"
#include "platform/files/HostFiles.h"

namespace lum::bench {

class TempFolder {
 public:
  TempFolder() {
    char pattern[] = "/tmp/lumbench-XXXXXX";
    path_ = ::mkdtemp(pattern);
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  std::string operator/(const char* name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

/// "logo.kvx" of width x height pixels; pixel i (in file order) is word(i).
class LogoFile {
 public:
  template <class WordFn>
  LogoFile(int32_t width, int32_t height, WordFn word) : path_(folder_ / "logo.kvx") {
    ByteBuffer logo;
    logo.SetSizeForOverwrite(LogoFileSize(width, height));
    uint8_t* out = logo.Data();
    WriteLogoHeader(out, {width, height});
    out += kLogoHeaderSize;
    for (int64_t i = 0; i < int64_t{width} * height; ++i, out += 2) WriteBigEndian16(out, word(i));
    logo.SaveToFile(path_, platform::HostFiles());
  }
  const std::string& Path() const { return path_; }

 private:
  TempFolder folder_;
  std::string path_;
};

}  // namespace lum::bench
