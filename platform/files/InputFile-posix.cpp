#include "platform/files/InputFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "codec/Errors.h"
#include "codec/Messages.h"
#include "platform/files/Paths.h"

namespace lum::platform {

namespace {

[[noreturn]] void ThrowOpenError(const std::string& path, const std::string& reason) {
  throw EFOpenError(msg::Format(msg::kFileOpen, {AbsolutePath(path), reason}));
}

}  // namespace

InputFile::InputFile(const std::string& path) {
  // O_NONBLOCK keeps open() of a FIFO without a writer from waiting forever;
  // only regular files are read, so the flag never affects a read.
  fd_ = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd_ < 0) ThrowOpenError(path, SystemErrorText(errno));
  struct stat status {};
  if (::fstat(fd_, &status) != 0) {
    const int error = errno;
    ::close(fd_);
    ThrowOpenError(path, SystemErrorText(error));
  }
  if (!S_ISREG(status.st_mode)) {
    ::close(fd_);
    ThrowOpenError(path, S_ISDIR(status.st_mode) ? SystemErrorText(EISDIR) : msg::kNotARegularFile);
  }
  size_ = static_cast<uint64_t>(status.st_size);
}

InputFile::~InputFile() {
  if (fd_ >= 0) ::close(fd_);
}

size_t InputFile::Read(uint8_t* destination, size_t count) {
  size_t total = 0;
  while (total < count) {
    const ssize_t n = ::read(fd_, destination + total, count - total);
    if (n < 0) {
      if (errno == EINTR) continue;
      throw EInOutError(errno);
    }
    if (n == 0) break;
    total += static_cast<size_t>(n);
  }
  return total;
}

}  // namespace lum::platform
