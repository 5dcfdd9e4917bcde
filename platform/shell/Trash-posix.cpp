#include "platform/shell/Trash.h"

#include <errno.h>
#include <fcntl.h>
#include <limits.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <ctime>
#include <memory>
#include <utility>

#include "base/Errors.h"
#include "platform/files/FileWrites.h"
#include "platform/shell/FileUrls.h"
#include "platform/shell/PathText.h"
#include "platform/shell/UserFolders.h"

namespace lum::shell {

namespace {

// An open file descriptor, closed when it goes.
class Fd {
 public:
  explicit Fd(int fd = -1) : fd_(fd) {}
  ~Fd() {
    if (fd_ >= 0) ::close(fd_);
  }
  Fd(Fd&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }
  Fd& operator=(Fd&& other) noexcept {
    std::swap(fd_, other.fd_);
    return *this;
  }
  int Get() const { return fd_; }
  bool Valid() const { return fd_ >= 0; }

 private:
  int fd_;
};

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

// The top folder of the file system that holds `path`, whose folder comes
// resolved: no symlink on the way up leads elsewhere.
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

// Whom a folder of the trash must belong to.
enum class Owner {
  User,         ///< the user
  UserPrivate,  ///< the user, and nobody else may write in it
};

// Whether the open folder `fd` belongs as `owner` says (errno when it can't
// be told).
bool OwnedAs(int fd, Owner owner) {
  struct stat status {};
  if (::fstat(fd, &status) != 0) return false;
  const bool others = owner == Owner::UserPrivate && (status.st_mode & (S_IWGRP | S_IWOTH)) != 0;
  if (status.st_uid == ::getuid() && !others) return true;
  errno = EACCES;
  return false;
}

// The folder `name` inside the folder `parent`, opened without following a
// symlink, made (0700) first when missing, belonging as `owner` says.
// Invalid when it cannot be had (errno); `untrusted` (optional) then says
// whether something that is no real folder, or not one of the user's as
// `owner` says, is in its place.
Fd OpenFolder(int parent, const std::string& name, Owner owner, bool* untrusted = nullptr) {
  if (untrusted) *untrusted = false;
  if (::mkdirat(parent, name.c_str(), 0700) != 0 && errno != EEXIST) return Fd();
  Fd folder(::openat(parent, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
  if (!folder.Valid()) {
    if (untrusted) *untrusted = errno == ELOOP || errno == ENOTDIR;
    return folder;
  }
  if (!OwnedAs(folder.Get(), owner)) {
    if (untrusted) *untrusted = errno == EACCES;
    return Fd();
  }
  return folder;
}

struct TrashPlace {
  Fd folder;           ///< the trash folder (holding files/ and info/)
  std::string path;    ///< its path
  std::string top;     ///< paths in info files are relative to this; empty: absolute
  bool unsafe = false; ///< the only trash there is may not be used
};

// The trash for an item on a file system of its own, by the trash rules
// for top folders: $top/.Trash/$uid when .Trash is a real folder with the
// sticky bit (and $uid in it the user's own, closed to others), else
// $top/.Trash-$uid when it is such a folder. Anything else could be read or
// emptied by another user.
bool FindTopTrash(const std::string& top, TrashPlace& place) {
  const Fd topFolder(::open(top.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (!topFolder.Valid()) return false;
  const std::string base = top == "/" ? "" : top;
  const std::string uid = std::to_string(::getuid());
  const Fd shared(::openat(topFolder.Get(), ".Trash", O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
  struct stat status {};
  if (shared.Valid() && ::fstat(shared.Get(), &status) == 0 && (status.st_mode & S_ISVTX)) {
    Fd own = OpenFolder(shared.Get(), uid, Owner::UserPrivate);
    if (own.Valid()) {
      place = {std::move(own), base + "/.Trash/" + uid, top, false};
      return true;
    }
  }
  const std::string name = ".Trash-" + uid;
  place.path = base + "/" + name;
  place.folder = OpenFolder(topFolder.Get(), name, Owner::UserPrivate, &place.unsafe);
  place.top = top;
  return place.folder.Valid();
}

bool FindTrash(const std::string& path, const std::string& realPath, TrashPlace& place) {
  const std::string homeTrash = CurrentUserFolders()->data + "/Trash";
  if (MakeFolders(homeTrash) && DeviceOf(homeTrash) == DeviceOf(path)) {
    // The data home's trash may be a symlink of the user's making; the
    // folder it leads to must still be the user's own, closed to others.
    place.folder = Fd(::open(homeTrash.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    place.path = homeTrash;
    if (place.folder.Valid() && !OwnedAs(place.folder.Get(), Owner::UserPrivate)) {
      place.unsafe = errno == EACCES;
      place.folder = Fd();
    }
    return place.folder.Valid();
  }
  return FindTopTrash(MountTop(realPath), place);
}

std::string DeletionDate() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  ::localtime_r(&now, &local);
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", &local);
  return text;
}

bool WriteText(int fd, const std::string& text) {
  try {
    platform::WriteAll(fd, reinterpret_cast<const uint8_t*>(text.data()), text.size());
    return true;
  } catch (const EInOutError&) {
    return false;
  }
}

constexpr const char kInfoExtension[] = ".trashinfo";
// The longest name an entry of files/ may have: its info file adds
// ".trashinfo" and must still fit a name.
constexpr size_t kLongestEntry = NAME_MAX - (sizeof kInfoExtension - 1);

// The name of the `n`-th try for `name` in the trash: the name itself, then
// name.2, name.3, ... A name too long for its info file is cut short; a
// short extension is kept and the cut falls between UTF-8 characters. The
// info file keeps the whole path.
std::string EntryName(const std::string& name, int n) {
  const std::string number = n == 1 ? "" : "." + std::to_string(n);
  if (name.size() + number.size() <= kLongestEntry) return name + number;
  const size_t dot = name.rfind('.');
  const std::string extension = dot != std::string::npos && dot > 0 && name.size() - dot <= 16 ? name.substr(dot) : "";
  size_t keep = kLongestEntry - number.size() - extension.size();
  for (int back = 0; back < 3 && keep > 0 && (static_cast<unsigned char>(name[keep]) & 0xC0) == 0x80; ++back) --keep;
  return name.substr(0, keep) + number + extension;
}

// Moves `path` to `entry` in the folder `folder`, never over an entry that
// is there already (EEXIST). Where the file system cannot refuse that
// itself, it is looked for first.
int MoveInto(const std::string& path, int folder, const std::string& entry) {
  if (::renameat2(AT_FDCWD, path.c_str(), folder, entry.c_str(), RENAME_NOREPLACE) == 0) return 0;
  if (errno != EINVAL && errno != ENOSYS) return errno;
  struct stat status {};
  if (::fstatat(folder, entry.c_str(), &status, AT_SYMLINK_NOFOLLOW) == 0) return EEXIST;
  return ::renameat(AT_FDCWD, path.c_str(), folder, entry.c_str()) == 0 ? 0 : errno;
}

}  // namespace

int MoveToTrash(const std::string& path, std::string* trashedAs, std::string* unsafeTrash) {
  // A NUL would end the path at a folder above the item.
  if (path.empty() || path[0] != '/' || path.find('\0') != std::string::npos) return EINVAL;
  struct stat status {};
  if (::lstat(path.c_str(), &status) != 0) return errno;
  const size_t slash = path.find_last_of('/');
  const std::string name = path.substr(slash + 1);
  if (name.empty() || name == "." || name == "..") return EINVAL;
  std::unique_ptr<char, decltype(&std::free)> realFolder(::realpath(ParentOf(path).c_str(), nullptr), &std::free);
  if (!realFolder) return errno;
  const std::string realPath = std::string(realFolder.get()) + (realFolder.get()[1] ? "/" : "") + name;

  // The errno of a trash folder that cannot be had, or kTrashNotSafe.
  const auto refuse = [unsafeTrash](bool unsafe, const std::string& folder) {
    if (!unsafe) return errno ? errno : EACCES;
    if (unsafeTrash) *unsafeTrash = folder;
    return kTrashNotSafe;
  };
  TrashPlace place;
  errno = 0;
  if (!FindTrash(path, realPath, place)) return refuse(place.unsafe, place.path);
  bool unsafe = false;
  const Fd files = OpenFolder(place.folder.Get(), "files", Owner::User, &unsafe);
  if (!files.Valid()) return refuse(unsafe, place.path + "/files");
  const Fd info = OpenFolder(place.folder.Get(), "info", Owner::User, &unsafe);
  if (!info.Valid()) return refuse(unsafe, place.path + "/info");

  const std::string recorded = place.top.empty() ? path : realPath.substr(place.top == "/" ? 1 : place.top.size() + 1);
  const std::string infoText =
      "[Trash Info]\nPath=" + PercentEncodePath(recorded) + "\nDeletionDate=" + DeletionDate() + "\n";

  // The info file is made first, exclusively: it reserves the name.
  for (int n = 1; n < 10000; ++n) {
    const std::string entry = EntryName(name, n);
    const std::string infoName = entry + kInfoExtension;
    const int fd = ::openat(info.Get(), infoName.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) {
      if (errno == EEXIST) continue;
      return errno;
    }
    const bool written = WriteText(fd, infoText);
    const int closeError = ::close(fd) == 0 ? 0 : errno;
    if (!written || closeError != 0) {
      ::unlinkat(info.Get(), infoName.c_str(), 0);
      return written ? closeError : EIO;
    }
    if (const int error = MoveInto(path, files.Get(), entry)) {
      ::unlinkat(info.Get(), infoName.c_str(), 0);
      if (error == EEXIST) continue;  // a stray file without info: take the next name
      return error;
    }
    if (trashedAs) *trashedAs = place.path + "/files/" + entry;
    return 0;
  }
  return EEXIST;
}

}  // namespace lum::shell
