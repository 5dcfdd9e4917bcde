#include "platform/shell/Trash.h"

#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <ctime>

#include "platform/shell/FileUrls.h"
#include "platform/shell/PathText.h"
#include "platform/shell/UserFolders.h"

namespace lum::shell {

namespace {

// Makes `path` and its missing parents (0700, as the trash wants them).
bool MakeFolders(const std::string& path) {
  struct stat status {};
  if (::stat(path.c_str(), &status) == 0) return S_ISDIR(status.st_mode);
  const size_t slash = path.rfind('/');
  if (slash != std::string::npos && slash > 0 && !MakeFolders(path.substr(0, slash))) return false;
  return ::mkdir(path.c_str(), 0700) == 0 || errno == EEXIST;
}

dev_t DeviceOf(const std::string& path) {
  struct stat status {};
  return ::lstat(path.c_str(), &status) == 0 ? status.st_dev : static_cast<dev_t>(-1);
}

// The top folder of the file system that holds `path`.
std::string MountTop(const std::string& path) {
  const dev_t device = DeviceOf(path);
  std::string top = ParentOf(path);
  while (top != "/") {
    const std::string up = ParentOf(top);
    if (DeviceOf(up) != device) break;
    top = up;
  }
  return top;
}

struct TrashPlace {
  std::string folder;  ///< the trash folder (holding files/ and info/)
  std::string top;     ///< paths in info files are relative to this; empty: absolute
};

bool FindTrash(const std::string& path, TrashPlace& place) {
  const std::string homeTrash = CurrentUserFolders()->data + "/Trash";
  if (MakeFolders(homeTrash) && DeviceOf(homeTrash) == DeviceOf(path)) {
    place = {homeTrash, ""};
    return true;
  }
  const std::string top = MountTop(path);
  const std::string uid = std::to_string(::getuid());
  const std::string shared = (top == "/" ? "" : top) + "/.Trash";
  struct stat status {};
  // A shared .Trash counts only when it is a real, sticky folder.
  if (::lstat(shared.c_str(), &status) == 0 && S_ISDIR(status.st_mode) && (status.st_mode & S_ISVTX) &&
      MakeFolders(shared + "/" + uid)) {
    place = {shared + "/" + uid, top};
    return true;
  }
  const std::string own = (top == "/" ? "" : top) + "/.Trash-" + uid;
  if (MakeFolders(own)) {
    place = {own, top};
    return true;
  }
  return false;
}

std::string DeletionDate() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  ::localtime_r(&now, &local);
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", &local);
  return text;
}

bool WriteAll(int fd, const std::string& text) {
  size_t done = 0;
  while (done < text.size()) {
    const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<size_t>(n);
  }
  return true;
}

}  // namespace

int MoveToTrash(const std::string& path, std::string* trashedAs) {
  // A NUL would end the path at a folder above the item.
  if (path.empty() || path[0] != '/' || path.find('\0') != std::string::npos) return EINVAL;
  struct stat status {};
  if (::lstat(path.c_str(), &status) != 0) return errno;
  TrashPlace place;
  if (!FindTrash(path, place)) return errno ? errno : EACCES;
  const std::string files = place.folder + "/files";
  const std::string info = place.folder + "/info";
  if (!MakeFolders(files) || !MakeFolders(info)) return errno ? errno : EACCES;

  const size_t slash = path.find_last_of('/');
  const std::string name = path.substr(slash + 1);
  const std::string recorded = place.top.empty() ? path : path.substr(place.top == "/" ? 1 : place.top.size() + 1);
  const std::string infoText =
      "[Trash Info]\nPath=" + PercentEncodePath(recorded) + "\nDeletionDate=" + DeletionDate() + "\n";

  // The info file is made first, exclusively: it reserves the name.
  for (int n = 1; n < 10000; ++n) {
    const std::string entry = n == 1 ? name : name + "." + std::to_string(n);
    const std::string infoPath = info + "/" + entry + ".trashinfo";
    const int fd = ::open(infoPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) {
      if (errno == EEXIST) continue;
      return errno;
    }
    const bool written = WriteAll(fd, infoText);
    const int closeError = ::close(fd) == 0 ? 0 : errno;
    const std::string target = files + "/" + entry;
    struct stat existing {};
    if (::lstat(target.c_str(), &existing) == 0) {  // a stray file without info: take the next name
      ::unlink(infoPath.c_str());
      continue;
    }
    if (!written || closeError != 0) {
      ::unlink(infoPath.c_str());
      return written ? closeError : EIO;
    }
    if (::rename(path.c_str(), target.c_str()) != 0) {
      const int error = errno;
      ::unlink(infoPath.c_str());
      return error;
    }
    if (trashedAs) *trashedAs = target;
    return 0;
  }
  return EEXIST;
}

}  // namespace lum::shell
