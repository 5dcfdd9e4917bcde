// The orders of a list's rows: the list comparison of a sorted fill, a
// column of the folder's own order, and a caller's comparison. The first two
// read each row's key once, so sorting 100,000 rows looks at each file at
// most once instead of at two files per comparison.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <vector>

#include "viewer/ShellCtrls/ShellFolder.h"

namespace lum {

using TShellFolders = std::vector<std::unique_ptr<TShellFolder>>;
/// Items held elsewhere (a tree's nodes own theirs).
using TShellFolderRefs = std::vector<const TShellFolder*>;

/// Negative, 0 or positive as `a` goes before, with or after `b`.
using TRowComparison = std::function<int(const TShellFolder& a, const TShellFolder& b)>;

/// An order of rows: entry i is the index of the item that goes to row i.
using TRowOrder = std::vector<size_t>;

/// The list comparison: folders before other items, then the folder's name
/// order (CompareWith column 0).
int CompareListItems(const TShellFolder& a, const TShellFolder& b);

/// The order of CompareListItems.
TRowOrder ListOrder(const TShellFolders& items);
TRowOrder ListOrder(const TShellFolderRefs& items);

/// The order of CompareWith(`column`), for the items of one folder.
TRowOrder ColumnOrder(const TShellFolders& items, int column);
TRowOrder ColumnOrder(const TShellFolderRefs& items, int column);

/// The order of a caller's comparison.
TRowOrder ComparisonOrder(const TShellFolders& items, const TRowComparison& compare);

/// Puts the items in `order`.
void ApplyOrder(TShellFolders& items, const TRowOrder& order);

}  // namespace lum
