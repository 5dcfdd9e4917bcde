// Where an output named by the user lands, and opening that very file: the
// one rule on symlinks that every save and every streamed output follows.
#pragma once

#include <sys/stat.h>

#include <string>

namespace lum::platform {

/// The file that a name for an output leads to.
struct OutputTarget {
  std::string path;        ///< the name with every symlink in it followed
  bool exists = false;     ///< false for a new file
  struct stat status {};   ///< what was there, when it exists
};

/// `path` with every symlink in it followed, in its folders and at its end,
/// as opening it would. A missing folder on the way, or a name that ends in
/// a folder or in "/" (ENOTDIR after a file, EISDIR after a new name), is an
/// error. As the kernel's protected symlinks have it,
/// whatever the system's setting, a link in a sticky folder that anyone may
/// write (/tmp), be it the file's or a folder's on the way, is refused with
/// EACCES unless it belongs to the process (its effective user) or to the
/// folder's owner: another user could have planted it there, pointing at a
/// file of ours. Throws EInOutError.
OutputTarget ResolveOutputTarget(const std::string& path);

/// Opens for writing the existing file that ResolveOutputTarget found, and
/// empties it when it is a regular file. Never through a link, and never
/// another file than the one found: a name that was given to another file
/// since (a link swapped in by the owner of a name in /tmp, say) is refused
/// with EACCES, and nothing is emptied. Returns the descriptor (close on
/// exec, non-blocking). Throws EInOutError.
int OpenFoundTarget(const OutputTarget& target);

}  // namespace lum::platform
