// The user's trash, as freedesktop.org's trash standard lays it out:
// $XDG_DATA_HOME/Trash for files on the same file system as the user's data
// folder, else $topdir/.Trash/$uid or $topdir/.Trash-$uid on the file's own
// file system. Nothing is ever deleted for good.
#pragma once

#include <string>

namespace lum::shell {

/// MoveToTrash's answer when the trash of the item's file system may not be
/// used: the trash folder ($XDG_DATA_HOME/Trash, or $topdir/.Trash-$uid when
/// there is no sticky $topdir/.Trash with a usable folder of the user's own)
/// is a symlink (but for the data home's), no folder, another user's, or
/// open to others' writes; or its files/ or info/ is a symlink, no folder or
/// another user's. Nothing was moved.
constexpr int kTrashNotSafe = -1;

/// Moves the file or folder at the absolute `path` into the trash, with an
/// info file that records where it came from and when; an item whose name is
/// too long for its info file is given a shorter one there. Returns 0, the
/// errno (EINVAL for a path with a NUL) or kTrashNotSafe; `trashedAs` gets
/// its path inside the trash, `unsafeTrash` the folder refused.
int MoveToTrash(const std::string& path, std::string* trashedAs = nullptr, std::string* unsafeTrash = nullptr);

}  // namespace lum::shell
