#include "platform/files/ReplacementFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <utility>
#include <vector>

#include "platform/files/FileWrites.h"
#include "platform/files/OutputFile.h"

namespace lum::platform {

namespace {

constexpr int kMaxLinks = 40;  // as many as the kernel follows in a path
constexpr size_t kCopyBlock = 64 * 1024;

std::string FolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

struct Target {
  std::string path;
  bool exists = false;
  struct stat status {};
};

// Whether the symlink `link` (its lstat in `status`) may be followed: the
// kernel's rule for protected symlinks, kept whatever the system's setting.
// In a sticky folder that anyone may write (/tmp), another user could plant
// a link to a file of ours; only a link of our own or of the folder's owner
// is followed there.
bool MayFollow(const std::string& link, const struct stat& status) {
  if (status.st_uid == ::geteuid()) return true;
  const std::string folder = FolderOf(link);
  struct stat parent {};
  if (::stat(folder.empty() ? "." : folder.c_str(), &parent) != 0) return false;
  const bool shared = (parent.st_mode & S_ISVTX) && (parent.st_mode & S_IWOTH);
  return !shared || parent.st_uid == status.st_uid;
}

// `path` with the symlinks at its end followed, as opening it would.
Target Resolve(const std::string& path) {
  Target target{path};
  for (int links = 0; links <= kMaxLinks; ++links) {
    if (::lstat(target.path.c_str(), &target.status) != 0) {
      if (errno == ENOENT) return target;  // a new file (or a missing folder, found on creation)
      throw EInOutError(errno);
    }
    if (!S_ISLNK(target.status.st_mode)) {
      target.exists = true;
      return target;
    }
    if (!MayFollow(target.path, target.status)) throw EInOutError(EACCES);  // what the kernel answers
    char link[PATH_MAX];
    const ssize_t length = ::readlink(target.path.c_str(), link, sizeof link);
    if (length < 0) throw EInOutError(errno);
    if (static_cast<size_t>(length) == sizeof link) throw EInOutError(ENAMETOOLONG);
    const std::string to(link, static_cast<size_t>(length));
    if (to.empty()) throw EInOutError(ENOENT);
    target.path = to.front() == '/' ? to : FolderOf(target.path) + to;
  }
  throw EInOutError(ELOOP);
}

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

// The old file opened to be written in place, emptied. It is there, so it
// is not created: a kernel that protects files in sticky folders
// (fs.protected_regular) refuses O_CREAT on another user's file there.
int OpenInPlace(const std::string& path) {
  Descriptor file(::open(path.c_str(), O_WRONLY | O_TRUNC | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
  if (file.Get() < 0) throw EInOutError(errno);
  struct stat status {};
  if (::fstat(file.Get(), &status) != 0) throw EInOutError(errno);
  if (!S_ISREG(status.st_mode)) throw EInOutError::NotARegularFile();
  return file.Release();
}

std::atomic<unsigned> temporaryCount{0};

}  // namespace

ReplacementFile::ReplacementFile(std::string target, std::optional<Ownership> old)
    : target_(std::move(target)), replaces_(old.has_value()) {
  if (const int error = CreateTemporary(replaces_ ? 0600 : 0666)) {
    // A folder that takes no new file, while the old file may be written:
    // that is written in place.
    if (!replaces_ || (error != EACCES && error != EPERM && error != EROFS)) throw EInOutError(error);
    fd_ = OpenInPlace(target_);
    inPlace_ = true;
    return;
  }
  if (!replaces_) return;
  // Owner and group first: changing them may clear the set-id bits.
  if (::fchown(fd_, old->owner, old->group) != 0) {
    const int ignored = ::fchown(fd_, static_cast<uid_t>(-1), old->group);  // a group of ours, perhaps
    (void)ignored;
  }
  if (::fchmod(fd_, old->mode & 07777) != 0) {
    const int error = errno;
    Discard();
    throw EInOutError(error);
  }
}

ReplacementFile::~ReplacementFile() { Discard(); }

// Opens a new file beside the target, under a name of its own; 0 or the
// errno.
int ReplacementFile::CreateTemporary(mode_t mode) {
  const std::string folder = FolderOf(target_);
  // The process id keeps other programs' names apart (a forked child would
  // share it, and O_EXCL sends it on to the next number).
  static const std::string pid = std::to_string(::getpid());
  std::string prefix = folder + "." + target_.substr(folder.size()) + "." + pid + "-";
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
  if (replaces_ && !inPlace_ && ::fsync(fd_) != 0) Fail(EInOutError(errno));
  const int fd = fd_;
  fd_ = -1;
  if (::close(fd) != 0 && errno != EINTR) Fail(EInOutError(errno));
  if (inPlace_) return;
  if (::rename(temporary_.c_str(), target_.c_str()) != 0) {
    const int error = errno;
    // A sticky folder (/tmp) lets only a file's owner (or the folder's)
    // replace it, while others may still write it.
    if (!replaces_ || (error != EPERM && error != EACCES)) Fail(EInOutError(error));
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
    Descriptor to(OpenInPlace(target_));
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
  const Target target = Resolve(path);
  if (target.exists) {
    const mode_t type = target.status.st_mode & S_IFMT;
    if (type == S_IFDIR) throw EInOutError(EISDIR);
    if (type == S_IFCHR && devices == CharacterDevices::kWritten) return std::make_unique<OutputFile>(target.path);
    if (type != S_IFREG) throw EInOutError::NotARegularFile();
    if (::faccessat(AT_FDCWD, target.path.c_str(), W_OK, AT_EACCESS) != 0) throw EInOutError(errno);
    return std::make_unique<ReplacementFile>(
        target.path, ReplacementFile::Ownership{target.status.st_uid, target.status.st_gid, target.status.st_mode});
  }
  return std::make_unique<ReplacementFile>(target.path, std::nullopt);
}

}  // namespace lum::platform
