// Writing a file that a conversion creates.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "codec/FileSeam.h"

namespace lum::platform {

/// A file open for writing, with buffered, checked writes. Every failure is
/// an EInOutError with the classic code of its errno; a write that the
/// system carries out only in part is "Zu wenig Speicherplatz".
class OutputFile final : public OutputWriter {
 public:
  /// Takes over `fd`, open for writing.
  explicit OutputFile(int fd) : fd_(fd) {}
  /// If Close() was not called: writes what is buffered and closes, without
  /// reporting failures, since a destructor runs while another failure is
  /// already on its way.
  ~OutputFile() override;
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  void Write(const uint8_t* data, size_t count) override;
  /// Hands every buffered byte to the system.
  void Flush() override;
  /// Flushes and closes; the file is closed even when this throws.
  void Close() override;

 private:
  int fd_ = -1;
  std::vector<uint8_t> pending_;
};

/// The output file at `path`, created, or emptied when it is there, and
/// written as it goes. A symlinked name is followed under
/// ResolveOutputTarget's rule for links in sticky folders, and a link put
/// under the name meanwhile is not followed. Only regular files and
/// character devices (/dev/null, /dev/full) are written: a FIFO or socket is
/// no place for an image, and a block device is a disk. Throws EInOutError.
std::unique_ptr<OutputWriter> CreateOutputFile(const std::string& path);

}  // namespace lum::platform
