#include "platform/files/InputFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "base/Errors.h"
#include "base/Messages.h"
#include "platform/files/Paths.h"

namespace lum::platform {

namespace {

[[noreturn]] void ThrowOpenError(const std::string& path, const std::string& reason) {
  throw EFOpenError(msg::Format(msg::kFileOpen, {AbsolutePath(path), reason}));
}

// Calls `readSome(bytes done so far)` until `count` bytes are in or the
// file ends; a call interrupted by a signal is made again.
template <class ReadSome>
size_t ReadFully(size_t count, ReadSome readSome) {
  size_t total = 0;
  while (total < count) {
    const ssize_t n = readSome(total);
    if (n < 0) {
      if (errno == EINTR) continue;
      throw EInOutError(errno);
    }
    if (n == 0) break;
    total += static_cast<size_t>(n);
  }
  return total;
}

}  // namespace

InputFile::InputFile(const std::string& path) {
  // The type is checked before the file is opened: opening a device can have
  // effects of its own (a watchdog arms, a tape rewinds), and opening a FIFO
  // could wait for a writer. Should the name be replaced in between, the
  // non-blocking open still cannot hang, and reads stop at the size found.
  struct stat status {};
  if (::stat(path.c_str(), &status) != 0) ThrowOpenError(path, SystemErrorText(errno));
  if (!S_ISREG(status.st_mode)) {
    ThrowOpenError(path, S_ISDIR(status.st_mode) ? SystemErrorText(EISDIR) : msg::kNotARegularFile);
  }
  fd_ = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd_ < 0) ThrowOpenError(path, SystemErrorText(errno));
  size_ = static_cast<uint64_t>(status.st_size);
}

InputFile::~InputFile() {
  if (fd_ >= 0) ::close(fd_);
}

size_t InputFile::Read(uint8_t* destination, size_t count) {
  return ReadFully(count, [&](size_t done) { return ::read(fd_, destination + done, count - done); });
}

size_t InputFile::ReadAt(uint64_t offset, uint8_t* destination, size_t count) {
  return ReadFully(count, [&](size_t done) {
    return ::pread(fd_, destination + done, count - done, static_cast<off_t>(offset + done));
  });
}

}  // namespace lum::platform
