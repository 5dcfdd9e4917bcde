#include "platform/files/FileWrites.h"

#include <unistd.h>

#include <cerrno>

#include "base/Errors.h"

namespace lum::platform {

void WriteAll(int fd, const uint8_t* data, size_t count) {
  size_t done = 0;
  while (done < count) {
    const ssize_t n = ::write(fd, data + done, count - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      throw EInOutError(errno);
    }
    if (n == 0) throw EInOutError::ShortWrite();
    done += static_cast<size_t>(n);
  }
}

}  // namespace lum::platform
