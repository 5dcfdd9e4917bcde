// Filling a list from a folder, without widgets: enumerate the folder and
// ask the add-filter about every item. The file list, the benchmark and the
// tests share it; ShellRowOrder.h sorts the result.
#pragma once

#include <cstddef>
#include <functional>
#include <vector>

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

/// The items of a read of a folder, and the order the folder listed them in.
struct TFolderRead {
  TShellFolders items;
  std::vector<size_t> listed;  ///< the places in `items` of the items, in the order they were listed
};

/// What a read of a folder can take over from the read before.
struct TEarlierItems {
  TFolderRead read;          ///< as it was shown
  bool inListOrder = false;  ///< in the list order (ListOrder), not sorted by a column since
};

/// A read of `root`'s folder, as EnumerateFolderItems, in the list order
/// when `sorted`. An entry that `earlier` holds already (the same own ID
/// list) is that item, moved to `root` (TShellFolder::MoveTo) rather than
/// made anew, and the filter is asked about it again; the earlier items not
/// listed again are destroyed. A folder lists its entries in the same order
/// each time, but for those made and removed in between, so they are
/// matched in that order. When the earlier items were in the list order and
/// few entries are new, the new ones are put in among them instead of
/// everything being sorted again: a folder of many files that another
/// program keeps changing costs little more than its listing.
TFolderRead ReadFolderItems(TShellFolder& root, shell::SHCONTF flags, shell::HWND window, const TAddItemFilter& filter,
                            bool sorted, TEarlierItems earlier = {});

}  // namespace lum
