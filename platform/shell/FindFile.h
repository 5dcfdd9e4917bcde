// A file's size, time, name and attribute bits, as the desktop platform's
// find-first-file call reports them.
#pragma once

#include <cstdint>
#include <string>

#include "platform/shell/ShellTypes.h"

namespace lum::shell {

constexpr DWORD FILE_ATTRIBUTE_READONLY = 0x1;
constexpr DWORD FILE_ATTRIBUTE_HIDDEN = 0x2;
constexpr DWORD FILE_ATTRIBUTE_DIRECTORY = 0x10;
constexpr DWORD FILE_ATTRIBUTE_NORMAL = 0x80;
constexpr DWORD FILE_ATTRIBUTE_REPARSE_POINT = 0x400;

struct WIN32_FIND_DATA {
  DWORD dwFileAttributes = 0;
  uint64_t fileSize = 0;      ///< of the file a symlink leads to
  int64_t lastWriteTime = 0;  ///< seconds since 1970, UTC
  std::string cFileName;      ///< the last part of the path
};

/// The data of the file at `path` (a symlink is followed; a dangling one
/// reports itself). 0 on success, else the errno, the stand-in of the
/// platform's last-error code.
int FindFirstFile(const std::string& path, WIN32_FIND_DATA& data);

}  // namespace lum::shell
