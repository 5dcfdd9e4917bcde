#include "viewer/ShellCtrls/DisplayNames.h"

#include "platform/shell/DesktopFolder.h"
#include "platform/shell/StrRet.h"
#include "viewer/ShellCtrls/ShellErrors.h"
#include "viewer/ShellCtrls/ShellMessages.h"

namespace lum {

using namespace shell;

// Names are taken as they come. No "?" is removed: the layer's names are
// the file system's bytes, converted without loss, so a "?" is always part
// of the name ("?2b.kvx" and "2b.kvx" are two files).
std::string StrRetToString(const STRRET& name, PCUIDLIST idList) { return StrRetToStr(name, idList); }

std::string GetDisplayName(IShellFolder* folder, PCUIDLIST idList, SHGDNF flags) {
  if (!folder) return shellmsg::kParentFolderNil;
  STRRET name;
  folder->GetDisplayNameOf(idList, flags, &name);
  std::string text = StrRetToString(name, idList);
  if (text.compare(0, 3, "::{") == 0) {
    STRRET plain;
    folder->GetDisplayNameOf(idList, SHGDN_NORMAL, &plain);
    text = StrRetToString(plain, idList);
  }
  return text;
}

ComPtr<IShellFolder> GetShellFolderOf(IShellFolder* parent, PCUIDLIST idList, HWND window) {
  ComPtr<IShellFolder> folder;
  if (parent && Failed(parent->BindToObject(idList, nullptr, IID_IShellFolder, folder.PutVoid()))) {
    // Both write into the same result; the second runs only when the first
    // gave nothing, so that a success is not overwritten by a failure.
    const PCUIDLIST items[1] = {idList};
    if (Failed(parent->GetUIObjectOf(window, 1, items, IID_IShellFolder, nullptr, folder.PutVoid())))
      parent->CreateViewObject(window, IID_IShellFolder, folder.PutVoid());
  }
  if (!folder) DesktopFolder()->BindToObject(idList, nullptr, IID_IShellFolder, folder.PutVoid());
  return folder;
}

ComPtr<IShellFolder> DesktopFolder() {
  ComPtr<IShellFolder> desktop;
  OleCheck(SHGetDesktopFolder(desktop));
  if (!desktop) throw EOleSysError(E_FAIL);
  return desktop;
}

}  // namespace lum
