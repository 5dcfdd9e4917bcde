// The context menu of one item of the namespace. Internal to platform/shell.
#pragma once

#include <string>

#include "platform/shell/ShellTypes.h"

namespace lum::shell::detail {

/// The item a context menu is for.
struct MenuTarget {
  std::string path;          ///< the item's path
  std::string name;          ///< its name as shown (bytes)
  bool isFolder = false;
  bool isVirtual = false;    ///< Home or Computer: no cut, copy, delete or rename
  bool parentWritable = false;
};

/// The context menu of `target`, asked for `iid` (IContextMenu,
/// IContextMenu2).
HRESULT CreateItemContextMenu(HWND owner, const MenuTarget& target, REFIID iid, void** object);

}  // namespace lum::shell::detail
