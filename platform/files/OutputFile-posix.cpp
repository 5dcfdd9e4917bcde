#include "platform/files/OutputFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "codec/Errors.h"

namespace lum::platform {

namespace {
constexpr size_t kBufferSize = 64 * 1024;
}

OutputFile::OutputFile(const std::string& path) {
  fd_ = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOCTTY, 0666);
  if (fd_ < 0) throw EInOutError(errno);
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
      WriteThrough(data, count);
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
  WriteThrough(bytes.data(), bytes.size());
}

void OutputFile::WriteThrough(const uint8_t* data, size_t count) {
  size_t done = 0;
  while (done < count) {
    const ssize_t n = ::write(fd_, data + done, count - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      throw EInOutError(errno);
    }
    if (n == 0) throw EInOutError::ShortWrite();
    done += static_cast<size_t>(n);
  }
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
