// The user's trash, as freedesktop.org's trash standard lays it out:
// $XDG_DATA_HOME/Trash for files on the same file system as the user's data
// folder, else $topdir/.Trash/$uid or $topdir/.Trash-$uid on the file's own
// file system. Nothing is ever deleted for good.
#pragma once

#include <string>

namespace lum::shell {

/// Moves the file or folder at the absolute `path` into the trash, with an
/// info file that records where it came from and when. Returns 0 or the
/// errno (EINVAL for a path with a NUL); `trashedAs` gets its path inside
/// the trash.
int MoveToTrash(const std::string& path, std::string* trashedAs = nullptr);

}  // namespace lum::shell
