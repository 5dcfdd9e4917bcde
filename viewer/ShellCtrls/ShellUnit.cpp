#include "viewer/ShellCtrls/ShellUnit.h"

#include "platform/shell/KnownFolders.h"
#include "platform/shell/System.h"
#include "viewer/ShellCtrls/DisplayNames.h"
#include "viewer/ShellCtrls/ShellContextMenu.h"
#include "viewer/ShellCtrls/ShellErrors.h"
#include "viewer/ShellCtrls/ShellMessages.h"

namespace lum {

namespace {
std::unique_ptr<TShellFolder> desktopItem;
bool running = false;
}  // namespace

ShellCtrlsUnit::ShellCtrlsUnit() {
  if (running) throw LumError(shellmsg::kUnitRunning);
  shell::IdList desktopList;
  OleCheck(shell::SHGetSpecialFolderLocation(nullptr, shell::CSIDL_DESKTOP, desktopList));
  if (desktopList) desktopItem = std::make_unique<TShellFolder>(nullptr, desktopList.get(), DesktopFolder());
  // The folder watcher's lock needs no start of its own.
  shell::OleInitialize(nullptr);
  running = true;
}

ShellCtrlsUnit::~ShellCtrlsUnit() {
  desktopItem.reset();
  shell::OleUninitialize();
  ReleaseMenuSlot();
  running = false;
}

TShellFolder* DesktopShellFolder() { return desktopItem.get(); }

}  // namespace lum
