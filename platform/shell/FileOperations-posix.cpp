#include "platform/shell/FileOperations.h"

#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "platform/shell/PathText.h"

namespace lum::shell {

namespace {

namespace fs = std::filesystem;

std::string BaseName(const std::string& path) {
  const size_t end = path.find_last_not_of('/');
  if (end == std::string::npos) return "/";
  const size_t slash = path.rfind('/', end);
  return path.substr(slash == std::string::npos ? 0 : slash + 1, end - (slash == std::string::npos ? 0 : slash + 1) + 1);
}

bool Exists(const std::string& path) {
  struct stat status {};
  return ::lstat(path.c_str(), &status) == 0;
}

// "name (copy).ext", "name (copy 2).ext", ... keeping the extension of
// files so the copy opens with the same application.
std::string FreeTarget(const std::string& folder, const std::string& name, bool isFolder) {
  const std::string base = folder + (folder != "/" ? "/" : "");
  if (!Exists(base + name)) return base + name;
  const size_t dot = isFolder ? std::string::npos : name.rfind('.');
  const bool hasExtension = dot != std::string::npos && dot > 0;
  const std::string stem = hasExtension ? name.substr(0, dot) : name;
  const std::string extension = hasExtension ? name.substr(dot) : "";
  for (int n = 1;; ++n) {
    const std::string candidate =
        base + stem + (n == 1 ? " (copy)" : " (copy " + std::to_string(n) + ")") + extension;
    if (!Exists(candidate)) return candidate;
  }
}

int ErrnoOf(const std::error_code& error) {
  return error.category() == std::generic_category() || error.category() == std::system_category()
             ? error.value()
             : EIO;
}

// Refuses what copying cannot or must not do before anything is written:
// special files anywhere in the tree.
int CheckCopyable(const fs::path& source) {
  std::error_code error;
  const fs::file_status status = fs::symlink_status(source, error);
  if (error) return ErrnoOf(error);
  if (fs::is_symlink(status) || fs::is_regular_file(status)) return 0;
  if (!fs::is_directory(status)) return ENOTSUP;
  for (auto it = fs::recursive_directory_iterator(source, error); !error && it != fs::recursive_directory_iterator();
       it.increment(error)) {
    const fs::file_status entry = it->symlink_status(error);
    if (error) break;
    if (!fs::is_symlink(entry) && !fs::is_regular_file(entry) && !fs::is_directory(entry)) return ENOTSUP;
  }
  return error ? ErrnoOf(error) : 0;
}

int CopyTree(const std::string& source, const std::string& target) {
  if (const int refused = CheckCopyable(source)) return refused;
  std::error_code error;
  fs::copy(source, target, fs::copy_options::recursive | fs::copy_options::copy_symlinks, error);
  if (error) {
    std::error_code ignored;
    fs::remove_all(target, ignored);
    return ErrnoOf(error);
  }
  return 0;
}

// Whether two paths name the same folder.
bool SameFolder(const std::string& a, const std::string& b) {
  struct stat statusA {}, statusB {};
  return ::stat(a.c_str(), &statusA) == 0 && ::stat(b.c_str(), &statusB) == 0 && statusA.st_dev == statusB.st_dev &&
         statusA.st_ino == statusB.st_ino;
}

}  // namespace

int PasteInto(const std::string& source, const std::string& folder, bool move, std::string* placedAt) {
  // A NUL would end a path early, at a folder above the one meant.
  if (source.find('\0') != std::string::npos || folder.find('\0') != std::string::npos) return EINVAL;
  struct stat status {};
  if (::lstat(source.c_str(), &status) != 0) return errno;
  const bool isFolder = S_ISDIR(status.st_mode);

  std::error_code error;
  // The folder that holds the entry itself: for a symlink the folder it
  // lies in, never the one it leads to.
  std::string home;
  if (isFolder) {
    // The folder itself or anything below it: copying would never end.
    const fs::path realSource = fs::canonical(source, error);
    const fs::path realFolder = error ? fs::path() : fs::canonical(folder, error);
    if (error) return ErrnoOf(error);
    auto [mismatch, unused] = std::mismatch(realSource.begin(), realSource.end(), realFolder.begin(), realFolder.end());
    (void)unused;
    if (mismatch == realSource.end()) return EINVAL;
    home = realSource.parent_path().string();
  } else {
    home = ParentOf(source.substr(0, source.find_last_not_of('/') + 1));
  }
  if (move && SameFolder(home, folder)) {  // already there
    if (placedAt) *placedAt = source;
    return 0;
  }

  const std::string target = FreeTarget(folder, BaseName(source), isFolder);
  if (move) {
    if (::renameat2(AT_FDCWD, source.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0) {
      if (placedAt) *placedAt = target;
      return 0;
    }
    if (errno != EXDEV && errno != EINVAL && errno != ENOSYS) return errno;
  }
  if (const int failed = CopyTree(source, target)) return failed;
  if (move) {
    fs::remove_all(source, error);
    if (error) return ErrnoOf(error);
  }
  if (placedAt) *placedAt = target;
  return 0;
}

}  // namespace lum::shell
