// Names of items as the browser shows them, and the folder object of an
// item (the bind rule).
#pragma once

#include <string>

#include "platform/shell/ShellInterfaces.h"

namespace lum {

/// The text of a STRRET: WSTR's wide text, OFFSET's bytes from the offset
/// to the end of the first ID of `idList`, CSTR's bytes up to the first
/// zero. Every "?" stays: names here are never placeholders.
std::string StrRetToString(const shell::STRRET& name, shell::PCUIDLIST idList);

/// The display name of `idList` asked of `folder` with `flags`:
/// "parentfolder = nil" without a folder; a class-identifier path ("::{")
/// is replaced by the folder's SHGDN_NORMAL name.
std::string GetDisplayName(shell::IShellFolder* folder, shell::PCUIDLIST idList, shell::SHGDNF flags);

/// The folder interface of the item `idList` inside `parent` (may be
/// absent): bound by the parent, else asked as a UI or view object, else
/// bound by the desktop; none for most files.
shell::ComPtr<shell::IShellFolder> GetShellFolderOf(shell::IShellFolder* parent, shell::PCUIDLIST idList,
                                                    shell::HWND window);

/// The desktop folder; raises EOleSysError if there is none.
shell::ComPtr<shell::IShellFolder> DesktopFolder();

}  // namespace lum
