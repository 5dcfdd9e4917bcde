#include "viewer/ShellCtrls/ShellContextMenu.h"

#include <strings.h>

#include <QWidget>

namespace lum {

using namespace shell;

namespace {

ComPtr<IContextMenu2>& MenuSlot() {
  static ComPtr<IContextMenu2> slot;
  return slot;
}

// Empties the slot when the menu closes, also when tracking throws.
struct SlotGuard {
  ~SlotGuard() { MenuSlot().Reset(); }
};

}  // namespace

bool SameVerb(const std::string& verb, const char* known) { return ::strcasecmp(verb.c_str(), known) == 0; }

std::string FolderPart(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

IContextMenu2* OpenContextMenu() { return MenuSlot().Get(); }

void ReleaseMenuSlot() { MenuSlot().Reset(); }

bool PassMenuMessage(UINT message, WPARAM wParam, LPARAM lParam, intptr_t& result) {
  const bool menuMessage =
      message == WM_DRAWITEM || message == WM_MEASUREITEM || message == WM_INITMENUPOPUP || message == WM_MENUCHAR;
  if (!menuMessage || !MenuSlot()) return false;
  MenuSlot()->HandleMenuMsg(message, wParam, lParam);
  result = 0;
  return true;
}

void ShowShellContextMenu(QWidget* control, TShellFolder* item, QPoint position) {
  if (!item) return;
  const ComPtr<IShellFolder> parentFolder = item->ParentFolderInterface();
  if (!parentFolder) return;
  ComPtr<IContextMenu> menu;
  const PCUIDLIST items[1] = {item->RelativeID()};
  parentFolder->GetUIObjectOf(control, 1, items, IID_IContextMenu, nullptr, menu.PutVoid());
  if (!menu) return;

  POINT at{position.x(), position.y()};
  ClientToScreen(control, &at);
  std::unique_ptr<PopupMenu> popup = CreatePopupMenu();
  UINT command = 0;
  {
    menu->QueryContextMenu(*popup, 0, 1, 0x7FFF, CMF_EXPLORE | CMF_CANRENAME);
    SlotGuard guard;
    menu.As(MenuSlot());
    command = TrackPopupMenu(*popup, TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0, control, nullptr);
  }
  DestroyMenu(popup);
  if (command == 0) return;

  std::string verb;
  menu->GetCommandString(command - 1, GCS_VERBA, nullptr, verb);
  ShellCommandHook* hook = dynamic_cast<ShellCommandHook*>(control);
  bool handled = false;
  if (hook) hook->BeforeCommand(verb, handled);
  HRESULT result = S_OK;
  if (!handled) {
    CMINVOKECOMMANDINFO info;
    info.hwnd = control;
    info.lpVerb = command - 1;
    info.nShow = SW_SHOWNORMAL;
    result = menu->InvokeCommand(info);
  }
  if (hook) hook->AfterCommand(verb, handled || result == S_OK);
}

}  // namespace lum
