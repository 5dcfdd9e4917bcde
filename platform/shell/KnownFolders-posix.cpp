#include "platform/shell/KnownFolders.h"

#include <string>

#include "platform/shell/DesktopFolder.h"
#include "platform/shell/NamespaceIds.h"
#include "platform/shell/UserFolders.h"
#include "platform/shell/WideText.h"

namespace lum::shell {

namespace {

// Where each special folder is on a freedesktop.org desktop:
//
// | CSIDL                         | here                                         |
// |-------------------------------|----------------------------------------------|
// | DESKTOP 0x00                  | the desktop, root of the namespace           |
// | DRIVES 0x11                   | "Computer", the root folder "/"              |
// | DESKTOPDIRECTORY 0x10         | the desktop directory                        |
// | PERSONAL 0x05                 | $XDG_DOCUMENTS_DIR (else ~/Documents)        |
// | TEMPLATES 0x15                | $XDG_TEMPLATES_DIR (else ~/Templates)        |
// | APPDATA 0x1A                  | $XDG_CONFIG_HOME (else ~/.config)            |
// | FONTS 0x14                    | $XDG_DATA_HOME/fonts (~/.local/share/fonts)  |
// | BITBUCKET 0x0A                | $XDG_DATA_HOME/Trash/files                   |
// | STARTMENU 0x0B, PROGRAMS 0x02 | $XDG_DATA_HOME/applications                  |
// | STARTUP 0x07                  | $XDG_CONFIG_HOME/autostart                   |
// | COMMON_STARTMENU 0x16,        | /usr/share/applications                      |
// | COMMON_PROGRAMS 0x17          |                                              |
// | COMMON_STARTUP 0x18           | /etc/xdg/autostart                           |
// | INTERNET 0x01, CONTROLS 0x03, | none: no folder of the file system stands    |
// | PRINTERS 0x04, FAVORITES 0x06,| for them here (recent files and bookmarks   |
// | RECENT 0x08, SENDTO 0x09,     | are single XML files, printers and the       |
// | NETWORK 0x12, PRINTHOOD 0x1B, | network are not folders, and the desktop has |
// | COMMON_DESKTOPDIRECTORY 0x19  | no shared desktop)                           |
//
// A folder that does not exist fails, as the platform's call does without
// its create flag.
bool PathOf(int csidl, std::string& path) {
  const auto folders = CurrentUserFolders();
  switch (csidl) {
    case CSIDL_DESKTOPDIRECTORY: path = folders->desktop; return true;
    case CSIDL_PERSONAL: path = folders->documents; return true;
    case CSIDL_TEMPLATES: path = folders->templates; return true;
    case CSIDL_APPDATA: path = folders->config; return true;
    case CSIDL_FONTS: path = folders->data + "/fonts"; return true;
    case CSIDL_BITBUCKET: path = folders->data + "/Trash/files"; return true;
    case CSIDL_STARTMENU:
    case CSIDL_PROGRAMS: path = folders->data + "/applications"; return true;
    case CSIDL_STARTUP: path = folders->config + "/autostart"; return true;
    case CSIDL_COMMON_STARTMENU:
    case CSIDL_COMMON_PROGRAMS: path = "/usr/share/applications"; return true;
    case CSIDL_COMMON_STARTUP: path = "/etc/xdg/autostart"; return true;
    default: return false;
  }
}

}  // namespace

HRESULT SHGetSpecialFolderLocation(HWND owner, int csidl, IdList& idList) {
  idList.reset();
  if (csidl == CSIDL_DESKTOP) {
    idList = AllocateIdList(2);
    return idList ? S_OK : E_OUTOFMEMORY;
  }
  if (csidl == CSIDL_DRIVES) {
    idList = ids::MakeVirtualId(ids::Kind::Computer);
    return idList ? S_OK : E_OUTOFMEMORY;
  }
  std::string path;
  if (!PathOf(csidl, path)) return E_INVALIDARG;
  ComPtr<IShellFolder> desktop;
  SHGetDesktopFolder(desktop);
  return desktop->ParseDisplayName(owner, nullptr, WideFromBytes(path), nullptr, idList, nullptr);
}

}  // namespace lum::shell
