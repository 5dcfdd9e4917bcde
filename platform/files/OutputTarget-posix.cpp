#include "platform/files/OutputTarget.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <vector>

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

// Puts the names of `path`'s parts on `parts`, the first last (the next to
// walk is at the back); empty parts and "." are left out, except that a path
// ending in "/" or "/." ends in an empty part: what comes before it must be
// a folder.
void PushParts(const std::string& path, std::vector<std::string>& parts) {
  std::vector<std::string> found;
  for (size_t start = 0; start <= path.size();) {
    const size_t end = std::min(path.find('/', start), path.size());
    std::string part = path.substr(start, end - start);
    if (!part.empty() && part != ".") found.push_back(std::move(part));
    start = end + 1;
  }
  const size_t lastSlash = path.rfind('/');
  if (lastSlash != std::string::npos && (lastSlash + 1 == path.size() || path.substr(lastSlash) == "/.")) {
    found.emplace_back();
  }
  parts.insert(parts.end(), found.rbegin(), found.rend());
}

// The folder above `folder`, a folder path free of links ending in '/' (or
// empty for the current folder), by its name alone: with no link in it,
// that is where ".." leads.
std::string ParentOf(const std::string& folder) {
  if (folder.empty()) return "../";
  if (folder == "/") return folder;
  const size_t nameStart = folder.rfind('/', folder.size() - 2) + 1;  // 0 when there is no slash before
  if (folder.compare(nameStart, std::string::npos, "../") == 0) return folder + "../";
  return folder.substr(0, nameStart);
}

}  // namespace

// Walks the path a part at a time, as the kernel does, so that every link on
// the way, in the folders as well as at the end, is asked MayFollow.
OutputTarget ResolveOutputTarget(const std::string& path) {
  OutputTarget target{path};
  std::vector<std::string> parts;
  PushParts(path, parts);
  std::string folder = !path.empty() && path.front() == '/' ? "/" : "";  // free of links
  int links = 0;
  while (!parts.empty()) {
    const std::string part = std::move(parts.back());
    parts.pop_back();
    if (part.empty()) {  // after a folder; at the end, a folder is no output
      if (parts.empty()) throw EInOutError(EISDIR);
      continue;
    }
    if (part == "..") {
      folder = ParentOf(folder);
      continue;
    }
    const std::string candidate = folder + part;
    struct stat status {};
    if (::lstat(candidate.c_str(), &status) != 0) {
      if (errno == ENOENT && parts.empty()) {  // a new file
        target.path = candidate;
        return target;
      }
      // A new name that must be a folder: what creating it would answer.
      if (errno == ENOENT && parts.size() == 1 && parts.back().empty()) throw EInOutError(EISDIR);
      throw EInOutError(errno);
    }
    if (S_ISLNK(status.st_mode)) {
      if (!MayFollow(candidate, status)) throw EInOutError(EACCES);  // what the kernel answers
      if (++links > kMaxLinks) throw EInOutError(ELOOP);
      char link[PATH_MAX];
      const ssize_t length = ::readlink(candidate.c_str(), link, sizeof link);
      if (length < 0) throw EInOutError(errno);
      if (static_cast<size_t>(length) == sizeof link) throw EInOutError(ENAMETOOLONG);
      const std::string to(link, static_cast<size_t>(length));
      if (to.empty()) throw EInOutError(ENOENT);
      if (to.front() == '/') folder = "/";
      PushParts(to, parts);
      continue;
    }
    if (parts.empty()) {
      target.path = candidate;
      target.exists = true;
      target.status = status;
      return target;
    }
    if (!S_ISDIR(status.st_mode)) throw EInOutError(ENOTDIR);
    folder = candidate + "/";
  }
  // A name that ends in a folder ("/", "a/.."): a folder is no output.
  throw EInOutError(EISDIR);
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
