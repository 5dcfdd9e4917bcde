// The order of directory entries: CompareIDs for the desktop and the
// file-system folders. Internal to platform/shell.
#pragma once

#include <string>

#include "platform/shell/ItemIdList.h"
#include "platform/shell/NamespaceIds.h"

namespace lum::shell::detail {

/// CompareIDs for two lists of entries inside `folder`.
HRESULT CompareEntryLists(const std::string& folder, LPARAM lParam, PCUIDLIST a, PCUIDLIST b);

/// Compares two entries of `folder` by `column`, folders first.
int CompareEntries(const std::string& folder, int column, const ids::IdView& a, const ids::IdView& b);

}  // namespace lum::shell::detail
