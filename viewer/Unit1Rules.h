// The main window's rules that need no window: which files the list shows
// in each mode, and what the command line asks for.
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

}  // namespace lum
