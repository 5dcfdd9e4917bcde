// Files on the system clipboard, in the forms file managers exchange:
// "text/uri-list", GNOME's "x-special/gnome-copied-files" (which also says
// copy or cut) and KDE's cut mark. Needs the Qt GUI application.
#pragma once

#include <string>
#include <vector>

namespace lum::shell {

/// Puts `paths` on the clipboard, to be copied or (with `cut`) moved.
void PutFilesOnClipboard(const std::vector<std::string>& paths, bool cut);

/// The local files on the clipboard and whether they were cut; false when
/// it holds none.
bool FilesOnClipboard(std::vector<std::string>& paths, bool& cut);

/// Empties the clipboard (after cut files were moved).
void ClearFileClipboard();

}  // namespace lum::shell
