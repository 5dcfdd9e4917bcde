#include "platform/files/ReplacementFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <utility>
#include <vector>

#include "codec/FileNames.h"
#include "platform/files/FileWrites.h"
#include "platform/files/OutputFile.h"

namespace lum::platform {

namespace {

constexpr size_t kCopyBlock = 64 * 1024;

// A descriptor closed when it goes, unless released.
class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int Get() const { return fd_; }
  int Release() { return std::exchange(fd_, -1); }

 private:
  int fd_;
};

std::atomic<unsigned> temporaryCount{0};

}  // namespace

ReplacementFile::ReplacementFile(OutputTarget target)
    : target_(std::move(target)) {
  if (const int error = CreateTemporary(target_.exists ? 0600 : 0666)) {
    // A folder that takes no new file, while the old file may be written:
    // that is written in place.
    if (!target_.exists || (error != EACCES && error != EPERM && error != EROFS)) throw EInOutError(error);
    fd_ = OpenFoundTarget(target_);
    inPlace_ = true;
    return;
  }
  if (!target_.exists) return;
  // Owner and group first: changing them may clear the set-id bits.
  const struct stat& old = target_.status;
  if (::fchown(fd_, old.st_uid, old.st_gid) != 0) {
    const int ignored = ::fchown(fd_, static_cast<uid_t>(-1), old.st_gid);  // a group of ours, perhaps
    (void)ignored;
  }
  if (::fchmod(fd_, old.st_mode & 07777) != 0) {
    const int error = errno;
    Discard();
    throw EInOutError(error);
  }
}

ReplacementFile::~ReplacementFile() { Discard(); }

// Opens a new file beside the target, under a name of its own; 0 or the
// errno.
int ReplacementFile::CreateTemporary(mode_t mode) {
  const std::string folder = ExtractFilePath(target_.path);
  // The process id keeps other programs' names apart (a forked child would
  // share it, and O_EXCL sends it on to the next number).
  static const std::string pid = std::to_string(::getpid());
  std::string prefix = folder + "." + target_.path.substr(folder.size()) + "." + pid + "-";
  bool shortName = false;
  // O_EXCL: never an existing file, nor a symlink planted under the name.
  for (;;) {
    temporary_ = prefix + std::to_string(temporaryCount++) + ".tmp";
    fd_ = ::open(temporary_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, mode);
    if (fd_ >= 0) return 0;
    const int error = errno;
    temporary_.clear();
    if (error == ENAMETOOLONG && !shortName) {
      // The name fills (nearly) all that the file system allows for one.
      prefix = folder + ".lum." + pid + "-";
      shortName = true;
    } else if (error != EEXIST) {
      return error;
    }
  }
}

void ReplacementFile::Discard() noexcept {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  if (!temporary_.empty()) ::unlink(temporary_.c_str());
  temporary_.clear();
}

void ReplacementFile::Fail(const EInOutError& error) {
  failure_ = error;
  Discard();
  throw error;
}

void ReplacementFile::Write(const uint8_t* data, size_t count) {
  if (failure_) throw *failure_;
  try {
    WriteAll(fd_, data, count);
  } catch (const EInOutError& error) {
    Fail(error);
  }
}

void ReplacementFile::Close() {
  if (failure_) throw *failure_;
  if (fd_ < 0) return;  // closed already
  if (target_.exists && !inPlace_ && ::fsync(fd_) != 0) Fail(EInOutError(errno));
  const int fd = fd_;
  fd_ = -1;
  if (::close(fd) != 0 && errno != EINTR) Fail(EInOutError(errno));
  if (inPlace_) return;
  if (::rename(temporary_.c_str(), target_.path.c_str()) != 0) {
    const int error = errno;
    // A sticky folder (/tmp) lets only a file's owner (or the folder's)
    // replace it, while others may still write it.
    if (!target_.exists || (error != EPERM && error != EACCES)) Fail(EInOutError(error));
    WriteInPlaceFromTemporary();
    Discard();
    return;
  }
  temporary_.clear();
}

// The finished temporary file copied into the old file.
void ReplacementFile::WriteInPlaceFromTemporary() {
  try {
    const Descriptor from(::open(temporary_.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC));
    if (from.Get() < 0) throw EInOutError(errno);
    Descriptor to(OpenFoundTarget(target_));
    std::vector<uint8_t> block(kCopyBlock);
    for (;;) {
      const ssize_t n = ::read(from.Get(), block.data(), block.size());
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) throw EInOutError(errno);
      if (n == 0) break;
      WriteAll(to.Get(), block.data(), static_cast<size_t>(n));
    }
    if (::close(to.Release()) != 0 && errno != EINTR) throw EInOutError(errno);
  } catch (const EInOutError& error) {
    Fail(error);
  }
}

std::unique_ptr<OutputWriter> CreateReplacementFile(const std::string& path, CharacterDevices devices) {
  OutputTarget target = ResolveOutputTarget(path);
  if (target.exists) {
    const mode_t type = target.status.st_mode & S_IFMT;
    if (type == S_IFDIR) throw EInOutError(EISDIR);
    if (type == S_IFCHR && devices == CharacterDevices::kWritten)
      return std::make_unique<OutputFile>(OpenFoundTarget(target));
    if (type != S_IFREG) throw EInOutError::NotARegularFile();
    if (::faccessat(AT_FDCWD, target.path.c_str(), W_OK, AT_EACCESS) != 0) throw EInOutError(errno);
  }
  return std::make_unique<ReplacementFile>(std::move(target));
}

}  // namespace lum::platform
