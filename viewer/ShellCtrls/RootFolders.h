// What the browser controls show at their top: a root text, either the name
// of a special folder or a path, and the item it resolves to. Also the
// object types that decide which items are enumerated.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "viewer/ShellCtrls/EnumSet.h"
#include "viewer/ShellCtrls/ShellErrors.h"
#include "viewer/ShellCtrls/ShellFolder.h"

namespace lum {

enum class TRootFolder {
  rfDesktop,
  rfMyComputer,
  rfNetwork,
  rfRecycleBin,
  rfAppData,
  rfCommonDesktopDirectory,
  rfCommonPrograms,
  rfCommonStartMenu,
  rfCommonStartup,
  rfControlPanel,
  rfDesktopDirectory,
  rfFavorites,
  rfFonts,
  rfInternet,
  rfPersonal,
  rfPrinters,
  rfPrintHood,
  rfPrograms,
  rfRecent,
  rfSendTo,
  rfStartMenu,
  rfStartup,
  rfTemplates,
};
constexpr int kRootFolderCount = 23;

/// The name of a root folder as a root text ("rfDesktop").
const char* RootFolderName(TRootFolder folder);
/// Its special-folder number (CSIDL).
int RootFolderCsidl(TRootFolder folder);
/// The root folder whose name is `text`, compared ASCII case-insensitively.
bool RootFolderFromText(std::string_view text, TRootFolder& folder);

/// Whether setting `a` as a control's root text in place of `b` changes
/// nothing: the same root folder name in any letter case, or the same text.
/// Paths that differ only in letter case name other folders here.
bool SameRootText(const std::string& a, const std::string& b);

/// The failure for a root text or path that the shell cannot resolve:
/// "Fehler beim Festlegen des Pfades: "%s"" (a NUL, which names nothing,
/// shown as "\0").
EInvalidPath SetPathFailed(const std::string& text);

/// Which items are enumerated.
enum TShellObjectType { otFolders, otNonFolders, otHidden };
using TShellObjectTypes = EnumSet<TShellObjectType>;

/// The enumeration flags for `types`: SHCONTF_FOLDERS, _NONFOLDERS and
/// _INCLUDEHIDDEN.
shell::SHCONTF ObjectTypesToFlags(TShellObjectTypes types);

/// The item for an absolute ID list, with the desktop item as its parent
/// and the folder interface the bind rule finds (else the desktop folder).
std::unique_ptr<TShellFolder> ItemFromIdList(PCUIDLIST absolute);

/// The item for a control's root text; the user's folders (desktop, home,
/// documents ...) are read anew for it. On success the control's current
/// root item (if any) is destroyed and the new one returned. When the text
/// is no root folder name and no path the shell can parse (or is empty),
/// `rootText` is set back to `previousRootText`, the current root item
/// stays, and "Fehler beim Festlegen des Pfades: "%s"" is raised with the
/// text that failed (a NUL in it, which names nothing, shown as "\0").
std::unique_ptr<TShellFolder> ItemFromRootText(std::unique_ptr<TShellFolder>& currentRoot,
                                               const std::string& previousRootText, std::string& rootText);

}  // namespace lum
