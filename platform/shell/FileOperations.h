// Copying and moving files and folders into a folder (the shell's paste).
#pragma once

#include <string>

namespace lum::shell {

/// Puts the file or folder `source` into `folder` under its own name, or
/// under "name (copy)", "name (copy 2)", ... when that is taken; with `move`
/// the source goes away (renamed where possible, else copied and then
/// removed). Folders are copied with everything in them; symlinks stay
/// symlinks; a FIFO, socket or device is refused, never opened. A folder is
/// never put inside itself. Moving an item into the folder that holds it
/// does nothing (for a symlink that is the folder it lies in, not the one it
/// leads to). On failure nothing half-copied is left behind. A path with a
/// NUL is refused (EINVAL). Returns 0 or the errno; `placedAt` gets the new
/// path.
int PasteInto(const std::string& source, const std::string& folder, bool move, std::string* placedAt = nullptr);

}  // namespace lum::shell
