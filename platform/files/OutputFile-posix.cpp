#include "platform/files/OutputFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "base/Errors.h"
#include "platform/files/FileWrites.h"

namespace lum::platform {

namespace {
constexpr size_t kBufferSize = 64 * 1024;
}

OutputFile::OutputFile(const std::string& path) {
  // An existing FIFO under the output name would make a blocking open wait
  // for a reader forever; non-blocking, it fails at once (ENXIO) or opens.
  // Only files and character devices (/dev/null, /dev/full) are written:
  // a FIFO or socket is no place for an image, and a block device is a disk.
  fd_ = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NONBLOCK | O_CLOEXEC | O_NOCTTY, 0666);
  if (fd_ < 0) {
    if (errno == ENXIO) throw EInOutError::NotARegularFile();
    throw EInOutError(errno);
  }
  struct stat status {};
  if (::fstat(fd_, &status) != 0) {
    const int error = errno;
    ::close(fd_);
    fd_ = -1;
    throw EInOutError(error);
  }
  if (!S_ISREG(status.st_mode) && !S_ISCHR(status.st_mode)) {
    ::close(fd_);
    fd_ = -1;
    throw EInOutError::NotARegularFile();
  }
}

OutputFile::~OutputFile() {
  if (fd_ < 0) return;
  // A file abandoned by a failure keeps what had been written to it.
  try {
    Flush();
  } catch (const LumError&) {
  }
  ::close(fd_);
}

void OutputFile::Write(const uint8_t* data, size_t count) {
  if (pending_.size() + count > kBufferSize) {
    Flush();
    if (count > kBufferSize) {
      WriteAll(fd_, data, count);
      return;
    }
  }
  pending_.insert(pending_.end(), data, data + count);
}

void OutputFile::Flush() {
  if (pending_.empty()) return;
  // Whatever happens, these bytes have had their one chance: a failed flush
  // must not make the next one (or the destructor's) write them again.
  std::vector<uint8_t> bytes;
  bytes.swap(pending_);
  WriteAll(fd_, bytes.data(), bytes.size());
}

void OutputFile::Close() {
  if (fd_ < 0) return;
  try {
    Flush();
  } catch (...) {
    ::close(fd_);
    fd_ = -1;
    throw;
  }
  const int fd = fd_;
  fd_ = -1;
  if (::close(fd) != 0 && errno != EINTR) throw EInOutError(errno);
}

}  // namespace lum::platform
