// Popup menus: a list of numbered entries that a QMenu shows when the menu
// is tracked. Tracking returns the number of the chosen entry; a test puts a
// chooser in place of the user.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/shell/ShellTypes.h"

namespace lum::shell {

// Entry flags (InsertMenuItem).
constexpr UINT MF_STRING = 0x0;
constexpr UINT MF_GRAYED = 0x1;
constexpr UINT MF_SEPARATOR = 0x800;
constexpr UINT MFS_DEFAULT = 0x1000;  ///< the default entry, shown in bold

// Tracking flags.
constexpr UINT TPM_RIGHTBUTTON = 0x2;
constexpr UINT TPM_RETURNCMD = 0x100;

struct POINT {
  int x = 0;
  int y = 0;
};

struct MenuEntry {
  UINT id = 0;            ///< 0 for a separator
  std::string text;       ///< "&" marks the access key
  UINT flags = MF_STRING;

  bool IsSeparator() const { return flags & MF_SEPARATOR; }
  bool IsEnabled() const { return !(flags & MF_GRAYED) && !IsSeparator(); }
};

class PopupMenu {
 public:
  /// Inserts an entry before the one at `position`; past the end appends.
  void InsertItem(UINT position, UINT flags, UINT id, const std::string& text);
  const std::vector<MenuEntry>& Entries() const { return entries_; }

 private:
  std::vector<MenuEntry> entries_;
};

std::unique_ptr<PopupMenu> CreatePopupMenu();
/// Destroys the menu (and leaves `menu` empty).
void DestroyMenu(std::unique_ptr<PopupMenu>& menu);

/// Shows the menu at screen position (x, y) for `owner` and waits for the
/// user. With TPM_RETURNCMD the result is the chosen entry's number, 0 when
/// none was chosen; without it the result is only 0 or 1.
UINT TrackPopupMenu(const PopupMenu& menu, UINT flags, int x, int y, int reserved, HWND owner, const void* rect);

/// Turns a position in `window`'s client area into screen coordinates.
bool ClientToScreen(HWND window, POINT* point);

/// Chooses an entry of a tracked menu (its number, 0 for none) instead of
/// the user; an empty chooser restores the real menu. Returns the previous.
using MenuChooser = std::function<UINT(const PopupMenu& menu)>;
MenuChooser SetMenuChooser(MenuChooser chooser);

}  // namespace lum::shell
