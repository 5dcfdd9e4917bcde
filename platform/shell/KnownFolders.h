// The special folders of the desktop platform (CSIDL numbers) and where they
// are on this desktop. See the table in KnownFolders-posix.cpp.
#pragma once

#include "platform/shell/ItemIdList.h"
#include "platform/shell/ShellTypes.h"

namespace lum::shell {

constexpr int CSIDL_DESKTOP = 0x00;
constexpr int CSIDL_INTERNET = 0x01;
constexpr int CSIDL_PROGRAMS = 0x02;
constexpr int CSIDL_CONTROLS = 0x03;
constexpr int CSIDL_PRINTERS = 0x04;
constexpr int CSIDL_PERSONAL = 0x05;
constexpr int CSIDL_FAVORITES = 0x06;
constexpr int CSIDL_STARTUP = 0x07;
constexpr int CSIDL_RECENT = 0x08;
constexpr int CSIDL_SENDTO = 0x09;
constexpr int CSIDL_BITBUCKET = 0x0A;
constexpr int CSIDL_STARTMENU = 0x0B;
constexpr int CSIDL_DESKTOPDIRECTORY = 0x10;
constexpr int CSIDL_DRIVES = 0x11;
constexpr int CSIDL_NETWORK = 0x12;
constexpr int CSIDL_FONTS = 0x14;
constexpr int CSIDL_TEMPLATES = 0x15;
constexpr int CSIDL_COMMON_STARTMENU = 0x16;
constexpr int CSIDL_COMMON_PROGRAMS = 0x17;
constexpr int CSIDL_COMMON_STARTUP = 0x18;
constexpr int CSIDL_COMMON_DESKTOPDIRECTORY = 0x19;
constexpr int CSIDL_APPDATA = 0x1A;
constexpr int CSIDL_PRINTHOOD = 0x1B;

/// The absolute ID list of a special folder. Fails (E_INVALIDARG) for one
/// that this desktop has no equivalent of, and with the system's error when
/// its folder does not exist.
HRESULT SHGetSpecialFolderLocation(HWND owner, int csidl, IdList& idList);

}  // namespace lum::shell
