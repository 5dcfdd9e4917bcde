#include "thumb/ReplaceFile.h"

#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "base/Errors.h"
#include "base/Messages.h"
#include "platform/files/Paths.h"

namespace lum {

namespace {

[[noreturn]] void ThrowCreateError(const std::string& path, int systemError) {
  throw EFCreateError(
      msg::Format(msg::kFileCreate, {platform::AbsolutePath(path), platform::SystemErrorText(systemError)}));
}

bool WriteAll(int fd, const uint8_t* data, size_t count) {
  while (count > 0) {
    const ssize_t n = ::write(fd, data, count);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      if (n == 0) errno = ENOSPC;
      return false;
    }
    data += n;
    count -= static_cast<size_t>(n);
  }
  return true;
}

mode_t CreationMode() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

}  // namespace

void ReplaceFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  // The new file is made beside the old one so that the rename stays within
  // one file system.
  const size_t slash = path.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
  const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  std::string temporary = folder + (slash == std::string::npos ? "/." : ".") + name + ".XXXXXX";
  const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
  if (fd < 0) ThrowCreateError(path, errno);

  const bool written = ::fchmod(fd, CreationMode()) == 0 && WriteAll(fd, bytes.data(), bytes.size());
  const int writeError = errno;
  const bool closed = ::close(fd) == 0 || errno == EINTR;
  const int closeError = errno;
  if (!written || !closed || ::rename(temporary.c_str(), path.c_str()) != 0) {
    const int error = !written ? writeError : !closed ? closeError : errno;
    ::unlink(temporary.c_str());
    ThrowCreateError(path, error);
  }
}

}  // namespace lum
