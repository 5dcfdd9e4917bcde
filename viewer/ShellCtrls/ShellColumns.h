// The report columns of a folder: from its IShellFolder2 (the columns on by
// default), else its IShellDetails, else the list's default columns.
#pragma once

#include <string>
#include <vector>

#include "viewer/ShellCtrls/ShellFolder.h"

namespace lum {

struct TShellColumn {
  std::string caption;
  int alignment = shell::LVCFMT_LEFT;  ///< LVCFMT_LEFT, _RIGHT or _CENTER
  int widthInChars = 0;                ///< in widths of the letter "X"
  bool holdsDates = false;             ///< its texts are dates and times
};

/// The columns for `root` in order, its view window set to `window`. None
/// when the root has no folder interface. Titles that are empty or repeat
/// one already taken (ignoring case) are left out.
std::vector<TShellColumn> ShellColumnsFor(TShellFolder& root, shell::HWND window);

}  // namespace lum
