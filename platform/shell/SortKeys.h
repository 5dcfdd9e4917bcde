// Sort keys: what a folder's CompareIDs looks at for one item by one column,
// read once. Sorting many items by size or date then looks at each file
// once, instead of twice per comparison.
#pragma once

#include <cstdint>
#include <string_view>

#include "platform/shell/ShellInterfaces.h"

namespace lum::shell {

/// Small, so that sorting moves little memory.
struct ItemSortKey {
  std::string_view name;  ///< points into the ID list the key was read from
  int64_t primary = 0;    ///< the size, the seconds of the time, or the permission bits
  int32_t secondary = 0;  ///< the nanoseconds of the time
  uint16_t column = 0;
  int8_t rank = 0;        ///< Home, Computer, folders, other items: compared first
  bool present = false;   ///< size, time and permission columns: the file could be looked at
};

/// Reads the keys of `count` one-ID lists inside `folder` (the desktop or a
/// file-system folder of this layer) for the column in lParam's low 16
/// bits into `keys`, with at most one look at each file, made relative to
/// the folder rather than by walking each file's path. E_INVALIDARG when one
/// of the lists is not such a list. Each key points into its ID list, which
/// must outlive it.
HRESULT GetItemSortKeys(IShellFolder* folder, LPARAM lParam, const PCUIDLIST* idLists, size_t count,
                        ItemSortKey* keys);

/// Negative, 0 or positive as folder->CompareIDs(lParam, a, b) answers for
/// the two items, as their files were when the keys were read. Both keys
/// come from one folder and one column.
int CompareItemSortKeys(const ItemSortKey& a, const ItemSortKey& b);

}  // namespace lum::shell
