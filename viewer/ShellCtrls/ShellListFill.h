// Filling a list from a folder, without widgets: enumerate the folder and
// ask the add-filter about every item. The file list, the benchmark and the
// tests share it; ShellRowOrder.h sorts the result.
#pragma once

#include <functional>

#include "viewer/ShellCtrls/ShellRowOrder.h"

namespace lum {

/// Asked once per enumerated item, in enumeration order; false drops the
/// item, which is destroyed at once. A filter that raises ends the fill,
/// and the items made so far are destroyed.
using TAddItemFilter = std::function<bool(TShellFolder& item)>;

/// The items of `root`'s folder that `flags` (SHCONTF_*) ask for, made as
/// children of `root` with the bind rule, in enumeration order, each kept
/// only when `filter` (if any) agrees. None when the folder cannot be
/// enumerated. `window` is handed to the shell for messages of its own.
TShellFolders EnumerateFolderItems(TShellFolder& root, shell::SHCONTF flags, shell::HWND window,
                                   const TAddItemFilter& filter = {});

}  // namespace lum
