#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <memory>

#include "platform/files/FileEnumeration.h"

namespace lum::platform {

namespace {

struct DirCloser {
  void operator()(DIR* dir) const { ::closedir(dir); }
};

}  // namespace

std::vector<DirectoryEntry> FindMatchingEntries(const std::string& mask, int* unreadable) {
  const size_t slash = mask.rfind('/');
  std::string directory = slash == std::string::npos ? "." : mask.substr(0, slash + 1);
  const std::string pattern = slash == std::string::npos ? mask : mask.substr(slash + 1);

  std::vector<DirectoryEntry> entries;
  std::unique_ptr<DIR, DirCloser> dir(::opendir(directory.c_str()));
  if (unreadable) *unreadable = dir ? 0 : errno;
  if (!dir) return entries;
  const int dirFd = ::dirfd(dir.get());

  while (const dirent* entry = ::readdir(dir.get())) {
    const std::string_view name = entry->d_name;
    if (!MatchesWildcard(pattern, name)) continue;
    DirectoryEntry found;
    found.name = std::string(name);
    // The size is needed for the size filter; only matching entries pay for
    // the stat. A dangling symlink still counts as an entry, with the link's
    // own size, and fails later when it is opened.
    struct stat status {};
    if (::fstatat(dirFd, entry->d_name, &status, 0) == 0 ||
        ::fstatat(dirFd, entry->d_name, &status, AT_SYMLINK_NOFOLLOW) == 0) {
      found.size = static_cast<uint64_t>(status.st_size);
      found.isDirectory = S_ISDIR(status.st_mode);
    }
    entries.push_back(std::move(found));
  }
  std::sort(entries.begin(), entries.end(),
            [](const DirectoryEntry& a, const DirectoryEntry& b) { return a.name < b.name; });
  return entries;
}

}  // namespace lum::platform
