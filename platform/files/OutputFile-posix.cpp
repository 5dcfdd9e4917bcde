#include "platform/files/OutputFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "base/Errors.h"
#include "platform/files/FileWrites.h"
#include "platform/files/OutputTarget.h"

namespace lum::platform {

namespace {

constexpr size_t kBufferSize = 64 * 1024;
// Tries at a name that keeps changing between looking and opening.
constexpr int kMaxTries = 3;

}  // namespace

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

std::unique_ptr<OutputWriter> CreateOutputFile(const std::string& path) {
  for (int tries = 1;; ++tries) {
    const OutputTarget target = ResolveOutputTarget(path);
    if (target.exists) {
      const mode_t type = target.status.st_mode & S_IFMT;
      if (type == S_IFDIR) throw EInOutError(EISDIR);
      if (type != S_IFREG && type != S_IFCHR) throw EInOutError::NotARegularFile();
      return std::make_unique<OutputFile>(OpenFoundTarget(target));
    }
    // A new file is made here, never taken over: O_EXCL fails on whatever
    // (a link included) was put under the name since it was looked at.
    const int fd = ::open(target.path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY, 0666);
    if (fd >= 0) return std::make_unique<OutputFile>(fd);
    if (errno != EEXIST || tries == kMaxTries) throw EInOutError(errno);
  }
}

}  // namespace lum::platform
