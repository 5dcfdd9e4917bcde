// Helpers for the fuzz targets.
#pragma once

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "base/Messages.h"
#include "codec/LogoFormat.h"

namespace lum::fuzz {

/// A regular file in memory that the loaders can open by name; rewritten
/// for every input without touching the disk.
class MemoryFile {
 public:
  MemoryFile() : fd_(::memfd_create("fuzz-input", 0)) {
    if (fd_ < 0) std::abort();
    path_ = "/proc/self/fd/" + std::to_string(fd_);
  }
  ~MemoryFile() { ::close(fd_); }
  void Fill(const uint8_t* data, size_t size) {
    if (::ftruncate(fd_, 0) != 0 || (size > 0 && ::pwrite(fd_, data, size, 0) != static_cast<ssize_t>(size))) {
      std::abort();
    }
  }
  const std::string& Path() const { return path_; }

 private:
  int fd_;
  std::string path_;
};

/// Fails the run loudly: libFuzzer keeps the input that got here.
[[noreturn]] inline void Fail(const std::string& what) {
  std::fprintf(stderr, "fuzz check failed: %s\n", what.c_str());
  std::abort();
}

inline bool StartsWith(const std::string& text, const char* prefix) {
  return text.compare(0, std::string(prefix).size(), prefix) == 0;
}

/// The refusal the decoders must give for a loaded file of `size` bytes, or
/// "" when they must accept it. `checked` selects the console decoder's
/// width check, which comes before the length check.
inline std::string ExpectedRefusal(const uint8_t* data, size_t size, bool checked) {
  if (size < static_cast<size_t>(kLogoHeaderSize)) {
    return msg::Format(msg::kLogoTooShortForHeader, {std::to_string(size)});
  }
  const LogoHeader header = ReadLogoHeader(data);
  const int64_t minusTwiceWidth = -2 * int64_t{header.width};
  if (checked && (minusTwiceWidth < INT32_MIN || minusTwiceWidth > INT32_MAX)) return msg::kIntOverflow;
  if (header.width >= 1 && header.height >= 1 &&
      static_cast<int64_t>(size) < LogoFileSize(header.width, header.height)) {
    return msg::Format(msg::kLogoTooShortForPixels, {std::to_string(header.width), std::to_string(header.height),
                                                     std::to_string(size)});
  }
  return {};
}

}  // namespace lum::fuzz
