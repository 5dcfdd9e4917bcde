// The browser's helpers for item ID lists (see platform/shell/ItemIdList.h
// for the format). Every list made here is a new block of the shell's task
// allocator, owned by the IdList that holds it; a failing allocator raises
// EOleSysError.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "platform/shell/ItemIdList.h"

namespace lum {

using shell::IdList;
using shell::ITEMIDLIST;
using shell::PCUIDLIST;

/// The sum of the IDs' lengths plus 2 for the terminator; 0 for a missing list.
size_t IdListSize(PCUIDLIST list);

/// The bytes of a list, terminator included, as a view of the list: the
/// same entry of a folder listed again gives the same bytes, so a key to
/// find it by without copying its name.
inline std::string_view IdListKey(PCUIDLIST list) {
  return std::string_view(reinterpret_cast<const char*>(shell::IdBytes(list)), IdListSize(list));
}

/// The number of IDs before the terminator.
size_t IdListCount(PCUIDLIST list);

/// A new block with the same bytes; a missing list gives none.
IdList CopyIdList(PCUIDLIST list);

/// `a` without its terminator, then `b` whole. A missing `a` gives a copy
/// of `b`; a missing `b` counts as the empty list, so the result always
/// ends in a terminator.
IdList ConcatIdLists(PCUIDLIST a, PCUIDLIST b);

/// The final ID as a one-ID list (an empty list gives an empty list).
IdList LastIdOf(PCUIDLIST list);

/// In place: the final ID's length becomes 0, so the list names the parent.
/// An empty list stays empty.
void StripLastId(ITEMIDLIST* list);

/// New lists naming every proper ancestor of an absolute list, from the
/// desktop (empty list) down to the parent. Freed together with the vector.
std::vector<IdList> AncestorChain(PCUIDLIST absolute);

/// Whether two absolute lists name the same item: the desktop folder's
/// CompareIDs with lParam 0 answers S_OK.
bool SameItem(PCUIDLIST a, PCUIDLIST b);

}  // namespace lum
