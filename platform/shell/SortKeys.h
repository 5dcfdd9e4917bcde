// Sort keys: what a folder's CompareIDs looks at for one item by one column,
// read once. Sorting many items by size or date then looks at each file
// once, instead of twice per comparison.
#pragma once

#include <cstdint>
#include <string_view>

#include "platform/shell/ShellInterfaces.h"

namespace lum::shell {

struct ItemSortKey {
  int column = 0;
  int rank = 0;           ///< Home, Computer, folders, other items: compared first
  std::string_view name;  ///< points into the ID list the key was read from
  bool present = false;   ///< size, time and permission columns: the file could be looked at
  int64_t primary = 0;    ///< the size, the seconds of the time, or the permission bits
  int64_t secondary = 0;  ///< the nanoseconds of the time
};

/// Reads the key of the one-ID list `idList` inside `folder` (the desktop or
/// a file-system folder of this layer) for the column in lParam's low 16
/// bits, with at most one look at the file. E_INVALIDARG for any other
/// list. The key points into `idList`, which must outlive it.
HRESULT GetItemSortKey(IShellFolder* folder, LPARAM lParam, PCUIDLIST idList, ItemSortKey& key);

/// Negative, 0 or positive as folder->CompareIDs(lParam, a, b) answers for
/// the two items, as their files were when the keys were read. Both keys
/// come from one folder and one column.
int CompareItemSortKeys(const ItemSortKey& a, const ItemSortKey& b);

}  // namespace lum::shell
