// Running an item's default action: opening a file or folder with the
// desktop's default application. Everything goes through one launcher
// function, which tests replace so that no real program is ever started.
#pragma once

#include <functional>
#include <string>

#include "platform/shell/ItemIdList.h"
#include "platform/shell/ShellTypes.h"

namespace lum::shell {

struct LaunchRequest {
  std::string path;       ///< the file or folder to open
  std::string directory;  ///< the working folder for the program ("" for the current one)
  HWND window = nullptr;
  int show = SW_SHOWNORMAL;  ///< recorded; the desktop gives programs no show state here
};

/// True when the default application was started for the request.
using Launcher = std::function<bool(const LaunchRequest&)>;

/// Puts `launcher` in place (an empty one restores the desktop's default,
/// which runs xdg-open in the background); returns the previous one.
Launcher SetLauncher(Launcher launcher);

constexpr ULONG SEE_MASK_IDLIST = 0x4;
constexpr ULONG SEE_MASK_INVOKEIDLIST = 0xC;

struct SHELLEXECUTEINFO {
  ULONG fMask = 0;
  HWND hwnd = nullptr;
  std::string lpVerb;  ///< "" or "open": the default action; no other verbs
  std::string lpFile;
  std::string lpParameters;  ///< not passed on: the default action takes none
  std::string lpDirectory;
  int nShow = 0;
  PCUIDLIST lpIDList = nullptr;  ///< with SEE_MASK_IDLIST: the item, in place of lpFile
  intptr_t hInstApp = 0;         ///< set to a value above 32 on success, else an SE_ERR code
};

constexpr intptr_t SE_ERR_FNF = 2;
constexpr intptr_t SE_ERR_NOASSOC = 31;

bool ShellExecuteEx(SHELLEXECUTEINFO* info);

/// The default action for `file` (`operation` null or "open"). Above 32 on
/// success, else an SE_ERR code.
intptr_t ShellExecute(HWND window, const char* operation, const std::string& file, const std::string& parameters,
                      const std::string& directory, int show);

}  // namespace lum::shell
