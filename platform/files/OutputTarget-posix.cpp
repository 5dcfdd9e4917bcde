#include "platform/files/OutputTarget.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <climits>

#include "base/Errors.h"
#include "codec/FileNames.h"

namespace lum::platform {

namespace {

constexpr int kMaxLinks = 40;  // as many as the kernel follows in a path

// Whether the symlink `link` (its lstat in `status`) may be followed: the
// kernel's rule for protected symlinks. In a sticky folder that anyone may
// write, only a link of our own or of the folder's owner is followed.
bool MayFollow(const std::string& link, const struct stat& status) {
  if (status.st_uid == ::geteuid()) return true;
  const std::string folder = ExtractFilePath(link);
  struct stat parent {};
  if (::stat(folder.empty() ? "." : folder.c_str(), &parent) != 0) return false;
  const bool shared = (parent.st_mode & S_ISVTX) && (parent.st_mode & S_IWOTH);
  return !shared || parent.st_uid == status.st_uid;
}

}  // namespace

OutputTarget ResolveOutputTarget(const std::string& path) {
  OutputTarget target{path};
  for (int links = 0; links <= kMaxLinks; ++links) {
    if (::lstat(target.path.c_str(), &target.status) != 0) {
      if (errno == ENOENT) return target;
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
    target.path = to.front() == '/' ? to : ExtractFilePath(target.path) + to;
  }
  throw EInOutError(ELOOP);
}

int OpenFoundTarget(const OutputTarget& target) {
  // Not emptied on opening (O_TRUNC): only once it is known to be the file
  // found. A link under the name now fails O_NOFOLLOW with ELOOP. Never
  // O_CREAT: a kernel that protects files in sticky folders
  // (fs.protected_regular) refuses it on another user's file there.
  const int fd = ::open(target.path.c_str(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) throw EInOutError(errno == ELOOP ? EACCES : errno);
  struct stat status {};
  int error = 0;
  if (::fstat(fd, &status) != 0) {
    error = errno;
  } else if (status.st_dev != target.status.st_dev || status.st_ino != target.status.st_ino) {
    error = EACCES;
  } else if (S_ISREG(status.st_mode) && ::ftruncate(fd, 0) != 0) {
    error = errno;
  }
  if (error != 0) {
    ::close(fd);
    throw EInOutError(error);
  }
  return fd;
}

}  // namespace lum::platform
