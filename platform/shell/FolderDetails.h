// The detail columns of file-system folders: headings, default state and
// each item's texts. Internal to platform/shell.
#pragma once

#include <string>
#include <string_view>

#include "platform/shell/FolderEntries.h"

namespace lum::shell::detail {

/// The type text of an item ("Folder", the MIME type's description, or
/// "KVX file" for an unknown extension).
std::string TypeTextOf(std::string_view name, bool isFolder);

/// Item texts and headings of the detail columns of a file-system folder.
HRESULT EntryDetails(const ResolvedItem* item, UINT column, SHELLDETAILS* details);
HRESULT EntryColumnState(UINT column, SHCOLSTATEF* state);

}  // namespace lum::shell::detail
