// Context menus of shell items: the entries an item offers, the verb of each
// entry, and running an entry by its number or a verb by its text.
//
// Items of this namespace offer "open" (the default application), "cut" and
// "copy" (file URLs on the clipboard, as file managers put them), "paste"
// (folders only), "delete" (to the trash), "rename" and "properties".
#pragma once

#include <string>
#include <variant>

#include "platform/shell/ComPtr.h"
#include "platform/shell/PopupMenu.h"

namespace lum::shell {

// QueryContextMenu flags.
constexpr UINT CMF_DEFAULTONLY = 0x1;
constexpr UINT CMF_EXPLORE = 0x4;
constexpr UINT CMF_CANRENAME = 0x10;

// GetCommandString kinds.
constexpr UINT GCS_VERBA = 0x0;
constexpr UINT GCS_HELPTEXTA = 0x1;
constexpr UINT GCS_VALIDATEA = 0x2;
constexpr UINT GCS_VERBW = 0x4;

constexpr DWORD CMIC_MASK_ASYNCOK = 0x100000;

struct CMINVOKECOMMANDINFO {
  DWORD fMask = 0;
  HWND hwnd = nullptr;  ///< the window that dialogs and failure messages belong to; none: no UI
  std::variant<UINT, std::string> lpVerb = UINT{0};  ///< a command offset, or a verb text
  int nShow = SW_SHOWNORMAL;
};

class IContextMenu : public IUnknown {
 public:
  static constexpr const IID& kIid = IID_IContextMenu;
  /// Inserts the item's entries into `menu` at `indexMenu`, numbered from
  /// `idCmdFirst` by their command offset; the result's low 16 bits give
  /// the highest offset used plus one.
  virtual HRESULT QueryContextMenu(PopupMenu& menu, UINT indexMenu, UINT idCmdFirst, UINT idCmdLast,
                                   UINT flags) = 0;
  /// Runs a command; E_INVALIDARG for an unknown one, E_ACCESSDENIED-like
  /// failure for one the item does not allow, the system's error when it
  /// fails.
  virtual HRESULT InvokeCommand(const CMINVOKECOMMANDINFO& info) = 0;
  /// The verb (GCS_VERBA/W) or help text (GCS_HELPTEXTA) of the command at
  /// offset `idCmd`; GCS_VALIDATEA answers S_OK for a command that exists.
  virtual HRESULT GetCommandString(UINT idCmd, UINT type, UINT* reserved, std::string& name) = 0;
};

class IContextMenu2 : public IContextMenu {
 public:
  static constexpr const IID& kIid = IID_IContextMenu2;
  /// Menu messages for owner-drawn entries. The entries here are drawn by
  /// the menu itself, so there is nothing to do.
  virtual HRESULT HandleMenuMsg(UINT message, WPARAM wParam, LPARAM lParam) = 0;
};

}  // namespace lum::shell
