// Reading a file that the user named.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace lum::platform {

/// An open regular file, read from its start. Opening never blocks: FIFOs,
/// sockets and devices are refused before anything is read from them, so a
/// stray /dev/zero or named pipe cannot hang a batch run.
class InputFile {
 public:
  /// Throws EFOpenError ("Datei %s kann nicht geöffnet werden. %s") with the
  /// absolute path and the system's reason.
  explicit InputFile(const std::string& path);
  ~InputFile();
  InputFile(const InputFile&) = delete;
  InputFile& operator=(const InputFile&) = delete;

  /// The file's size when it was opened.
  uint64_t Size() const { return size_; }

  /// Reads up to `count` bytes; fewer only at the end of the file.
  /// Throws EInOutError.
  size_t Read(uint8_t* destination, size_t count);

  /// Reads up to `count` bytes from `offset` on, wherever the last read
  /// ended; fewer only at the end of the file. Throws EInOutError.
  size_t ReadAt(uint64_t offset, uint8_t* destination, size_t count);

 private:
  int fd_ = -1;
  uint64_t size_ = 0;
};

}  // namespace lum::platform
