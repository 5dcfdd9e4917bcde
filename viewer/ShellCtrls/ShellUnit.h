// The start and end of the browser's shell unit: the process-wide desktop
// item, parent of every root, and the shell's initialisation.
#pragma once

#include <memory>

#include "viewer/ShellCtrls/ShellFolder.h"

namespace lum {

/// Lives from the program's start to its end (the viewer's main makes one;
/// each test makes its own). Starting makes the desktop item and
/// initialises the shell; ending destroys the desktop item, uninitialises
/// the shell and releases the open context menu, if any. One at a time.
class ShellCtrlsUnit {
 public:
  ShellCtrlsUnit();
  ~ShellCtrlsUnit();
  ShellCtrlsUnit(const ShellCtrlsUnit&) = delete;
  ShellCtrlsUnit& operator=(const ShellCtrlsUnit&) = delete;
};

/// The desktop item: no parent, the desktop folder as folder interface and
/// the desktop's (empty) ID list. Null while no unit runs.
TShellFolder* DesktopShellFolder();

}  // namespace lum
