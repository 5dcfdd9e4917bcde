// The main window's rules that need no window: which files the list shows
// in each mode, what the command line asks for, and where a save writes.
#pragma once

#include <string>
#include <vector>

namespace lum {

/// The items of "Mode", by index.
enum TConvertMode : int { kLogoToBmp = 0, kBmpToLogo = 1 };

/// Whether the list shows a file of this path in the mode `modeIndex`:
/// ".kvx" and ".hzn" files when converting logos to BMP files, ".bmp" files
/// the other way, in any letter case; never a name whose extension is
/// something else or nothing.
bool IsWantedFileName(const std::string& path, int modeIndex);

/// What the window's command line asks for.
struct TCommandLine {
  bool singleFileMode = false;  ///< "/s" or "-s", in any letter case
  std::string file;             ///< the last other argument, made absolute
};

/// Reads `arguments` (without the program's name). A relative file name is
/// made absolute against the current directory, lexically ("." and ".." are
/// resolved as names, symlinks are not followed); an absolute one stays as
/// it was given, and an empty one stays empty.
TCommandLine ReadCommandLine(const std::vector<std::string>& arguments);

/// The name a save of the file `source` writes: `source` with its extension
/// replaced by `extension`. Throws EFCreateError ("Datei "%s" kann nicht
/// erstellt werden. it is the file being converted") when that name leads to
/// `source` itself (x.bmp saved as x.bmp, or a symlink or hard link to the
/// source under the new name), so that a save never replaces the file it
/// converts.
std::string SaveNameFor(const std::string& source, const std::string& extension);

}  // namespace lum
