// What the desktop and the file-system folders share: the work on directory
// entries named by this layer's IDs (resolving, attributes, names, parsing,
// renaming). Internal to platform/shell.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/shell/NamespaceIds.h"
#include "platform/shell/ShellInterfaces.h"

namespace lum::shell::detail {

/// folder + "/" + name, without doubling the root's slash.
std::string JoinPath(std::string_view folder, std::string_view name);

/// The item that a relative list of entry IDs names inside `folder`.
struct ResolvedItem {
  std::string path;    ///< the item's absolute path
  std::string parent;  ///< the path of the folder that holds it
  ids::IdView last;    ///< its own ID (points into the list)
  bool single = true;  ///< the list had one ID
};

/// False when the list is empty or holds an ID that is not an entry.
bool ResolveEntries(const std::string& folder, PCUIDLIST list, ResolvedItem& item);

/// Attributes that the ID alone answers (no system call).
constexpr SFGAOF kAttributesFromId = SFGAO_FOLDER | SFGAO_HASSUBFOLDER | SFGAO_FILESYSTEM | SFGAO_FILESYSANCESTOR |
                                     SFGAO_HIDDEN | SFGAO_LINK | SFGAO_CANCOPY | SFGAO_DROPTARGET |
                                     SFGAO_HASPROPSHEET;

/// The attributes of an entry that its ID alone answers.
SFGAOF AttributesFromId(const ids::IdView& id);

/// True when every bit of `asked` comes from the ID (and `asked` is not 0).
inline bool AskedOnlyFromId(SFGAOF asked) { return asked != 0 && (asked & ~kAttributesFromId) == 0; }

/// The attributes of an entry among `asked` (0: all). Read-only and the
/// move/delete/rename capabilities cost an access check each.
SFGAOF EntryAttributes(const ResolvedItem& item, SFGAOF asked);

/// The attributes of a virtual folder (Home, Computer) among `asked`.
SFGAOF VirtualFolderAttributes(SFGAOF asked);

/// Fills `name` for an entry: the name itself (as an offset into a single ID,
/// else as bytes) or, for FORPARSING without INFOLDER, the full path.
void EntryDisplayName(const ResolvedItem& item, SHGDNF flags, STRRET* name);

/// Turns `path` (relative to `base`, "/" separators, "." and ".." allowed
/// inside it) into entry IDs appended to `builder`. Every part must exist;
/// a trailing "/" requires a folder. ".." is resolved as the kernel does
/// (through a symlink to the parent of its target) and may not leave `base`
/// unless that is "/"; below a file nothing, not even "." or "..", exists.
/// A path with a NUL is refused.
HRESULT ParseEntries(const std::string& base, std::string_view path, std::vector<uint8_t>& builder);

/// Appends an ID to a list being built; Finish() gives the allocated list.
void AppendEntryId(std::vector<uint8_t>& builder, std::string_view name, uint8_t flags);
void AppendVirtualId(std::vector<uint8_t>& builder, ids::Kind kind);
IdList FinishIdList(const std::vector<uint8_t>& builder);

/// The end of a ParseDisplayName: the list built, the characters eaten (all
/// of them) and, when asked for, the attributes that `folder` gives the item.
HRESULT FinishParsedName(IShellFolder& folder, const std::vector<uint8_t>& builder, std::wstring_view displayName,
                         ULONG* eaten, IdList& idList, ULONG* attributes);

/// Renames `item` within its folder to `newName`; refuses names with "/",
/// "." and "..", and existing targets. `newIdList` (optional) gets `list`,
/// the item's list as the folder was asked about it, with its last ID
/// replaced by the renamed entry's: a list through "Computer" stays one.
HRESULT RenameEntry(const ResolvedItem& item, PCUIDLIST list, std::wstring_view newName, IdList* newIdList);

}  // namespace lum::shell::detail
