// The desktop, the root of the shell namespace (empty ID list). Its items
// are the virtual folders "Home" ($HOME) and "Computer" ("/"), followed by
// the entries of the desktop directory ($XDG_DESKTOP_DIR, the user-dirs
// file, or ~/Desktop).
#pragma once

#include "platform/shell/ComPtr.h"
#include "platform/shell/ShellInterfaces.h"

namespace lum::shell {

/// The desktop folder, the top of the namespace.
HRESULT SHGetDesktopFolder(ComPtr<IShellFolder>& desktop);

}  // namespace lum::shell
