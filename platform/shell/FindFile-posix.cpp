#include "platform/shell/FindFile.h"

#include <errno.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lum::shell {

int FindFirstFile(const std::string& path, WIN32_FIND_DATA& data) {
  struct stat link {}, target {};
  if (::lstat(path.c_str(), &link) != 0) return errno;
  const bool isLink = S_ISLNK(link.st_mode);
  const struct stat& status = isLink && ::stat(path.c_str(), &target) == 0 ? target : link;

  data = WIN32_FIND_DATA{};
  const size_t slash = path.find_last_of('/');
  data.cFileName = slash == std::string::npos ? path : path.substr(slash + 1);
  data.fileSize = static_cast<uint64_t>(status.st_size);
  data.lastWriteTime = static_cast<int64_t>(status.st_mtim.tv_sec);
  DWORD attributes = 0;
  if (S_ISDIR(status.st_mode)) attributes |= FILE_ATTRIBUTE_DIRECTORY;
  if ((status.st_mode & 0222) == 0 || ::access(path.c_str(), W_OK) != 0) attributes |= FILE_ATTRIBUTE_READONLY;
  if (!data.cFileName.empty() && data.cFileName[0] == '.') attributes |= FILE_ATTRIBUTE_HIDDEN;
  if (isLink) attributes |= FILE_ATTRIBUTE_REPARSE_POINT;
  data.dwFileAttributes = attributes ? attributes : FILE_ATTRIBUTE_NORMAL;
  return 0;
}

}  // namespace lum::shell
