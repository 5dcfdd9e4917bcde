// Taking file-system paths apart as text, without asking the file system.
#pragma once

#include <string>

namespace lum::shell {

/// The folder that holds `path`: everything before its last "/", or "/" for
/// an item of the root folder (and for a path without any "/").
inline std::string ParentOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == 0 || slash == std::string::npos ? "/" : path.substr(0, slash);
}

}  // namespace lum::shell
