#include "viewer/ShellCtrls/RootFolders.h"

#include <strings.h>

#include "base/Messages.h"
#include "platform/shell/KnownFolders.h"
#include "platform/shell/UserFolders.h"
#include "platform/shell/WideText.h"
#include "viewer/ShellCtrls/DisplayNames.h"
#include "viewer/ShellCtrls/ShellErrors.h"
#include "viewer/ShellCtrls/ShellMessages.h"
#include "viewer/ShellCtrls/ShellUnit.h"

namespace lum {

using namespace shell;

namespace {

struct RootFolderEntry {
  TRootFolder folder;
  const char* name;
  int csidl;
};

constexpr RootFolderEntry kRootFolders[kRootFolderCount] = {
    {TRootFolder::rfDesktop, "rfDesktop", CSIDL_DESKTOP},
    {TRootFolder::rfMyComputer, "rfMyComputer", CSIDL_DRIVES},
    {TRootFolder::rfNetwork, "rfNetwork", CSIDL_NETWORK},
    {TRootFolder::rfRecycleBin, "rfRecycleBin", CSIDL_BITBUCKET},
    {TRootFolder::rfAppData, "rfAppData", CSIDL_APPDATA},
    {TRootFolder::rfCommonDesktopDirectory, "rfCommonDesktopDirectory", CSIDL_COMMON_DESKTOPDIRECTORY},
    {TRootFolder::rfCommonPrograms, "rfCommonPrograms", CSIDL_COMMON_PROGRAMS},
    {TRootFolder::rfCommonStartMenu, "rfCommonStartMenu", CSIDL_COMMON_STARTMENU},
    {TRootFolder::rfCommonStartup, "rfCommonStartup", CSIDL_COMMON_STARTUP},
    {TRootFolder::rfControlPanel, "rfControlPanel", CSIDL_CONTROLS},
    {TRootFolder::rfDesktopDirectory, "rfDesktopDirectory", CSIDL_DESKTOPDIRECTORY},
    {TRootFolder::rfFavorites, "rfFavorites", CSIDL_FAVORITES},
    {TRootFolder::rfFonts, "rfFonts", CSIDL_FONTS},
    {TRootFolder::rfInternet, "rfInternet", CSIDL_INTERNET},
    {TRootFolder::rfPersonal, "rfPersonal", CSIDL_PERSONAL},
    {TRootFolder::rfPrinters, "rfPrinters", CSIDL_PRINTERS},
    {TRootFolder::rfPrintHood, "rfPrintHood", CSIDL_PRINTHOOD},
    {TRootFolder::rfPrograms, "rfPrograms", CSIDL_PROGRAMS},
    {TRootFolder::rfRecent, "rfRecent", CSIDL_RECENT},
    {TRootFolder::rfSendTo, "rfSendTo", CSIDL_SENDTO},
    {TRootFolder::rfStartMenu, "rfStartMenu", CSIDL_STARTMENU},
    {TRootFolder::rfStartup, "rfStartup", CSIDL_STARTUP},
    {TRootFolder::rfTemplates, "rfTemplates", CSIDL_TEMPLATES},
};

const RootFolderEntry& EntryOf(TRootFolder folder) {
  for (const RootFolderEntry& entry : kRootFolders)
    if (entry.folder == folder) return entry;
  return kRootFolders[0];
}

// A text as a message shows it: a NUL, which would end the message there,
// written as "\0".
std::string Printable(const std::string& text) {
  std::string shown;
  for (const char c : text) {
    if (c == '\0')
      shown += "\\0";
    else
      shown += c;
  }
  return shown;
}

bool EqualsIgnoringAsciiCase(std::string_view a, const char* b) {
  return a.size() == std::char_traits<char>::length(b) && ::strncasecmp(a.data(), b, a.size()) == 0;
}

}  // namespace

const char* RootFolderName(TRootFolder folder) { return EntryOf(folder).name; }

int RootFolderCsidl(TRootFolder folder) { return EntryOf(folder).csidl; }

bool RootFolderFromText(std::string_view text, TRootFolder& folder) {
  for (const RootFolderEntry& entry : kRootFolders) {
    if (EqualsIgnoringAsciiCase(text, entry.name)) {
      folder = entry.folder;
      return true;
    }
  }
  return false;
}

bool SameRootText(const std::string& a, const std::string& b) {
  TRootFolder folderA, folderB;
  if (RootFolderFromText(a, folderA) && RootFolderFromText(b, folderB)) return folderA == folderB;
  return a == b;
}

EInvalidPath SetPathFailed(const std::string& text) {
  return EInvalidPath(msg::Format(shellmsg::kSetPathFailed, {Printable(text)}));
}

SHCONTF ObjectTypesToFlags(TShellObjectTypes types) {
  SHCONTF flags = 0;
  if (types.Contains(otFolders)) flags |= SHCONTF_FOLDERS;
  if (types.Contains(otNonFolders)) flags |= SHCONTF_NONFOLDERS;
  if (types.Contains(otHidden)) flags |= SHCONTF_INCLUDEHIDDEN;
  return flags;
}

std::unique_ptr<TShellFolder> ItemFromIdList(PCUIDLIST absolute) {
  const ComPtr<IShellFolder> desktop = DesktopFolder();
  ComPtr<IShellFolder> folder = GetShellFolderOf(desktop.Get(), absolute, nullptr);
  if (!folder) folder = desktop;
  return std::make_unique<TShellFolder>(DesktopShellFolder(), absolute, std::move(folder));
}

std::unique_ptr<TShellFolder> ItemFromRootText(std::unique_ptr<TShellFolder>& currentRoot,
                                               const std::string& previousRootText, std::string& rootText) {
  // The user's folders are read once per root: the desktop answers every
  // call of a fill from them.
  RefreshUserFolders();
  IdList idList;
  HRESULT result = E_FAIL;
  TRootFolder folder;
  if (RootFolderFromText(rootText, folder)) {
    result = SHGetSpecialFolderLocation(nullptr, RootFolderCsidl(folder), idList);
  } else if (!rootText.empty()) {
    // A drive given as letter and colon meant the drive's root; here the
    // separator is appended, which leaves a folder path ending in ":"
    // naming that folder.
    std::string path = rootText;
    if (path.back() == ':') path += '/';
    ULONG eaten = 0;
    ULONG attributes = 0;
    result = DesktopFolder()->ParseDisplayName(nullptr, nullptr, WideFromBytes(path), &eaten, idList, &attributes);
  }
  if (result != S_OK || !idList) {
    const std::string failed = rootText;
    rootText = previousRootText;
    throw SetPathFailed(failed);
  }
  std::unique_ptr<TShellFolder> item = ItemFromIdList(idList.get());
  currentRoot.reset();
  return item;
}

}  // namespace lum
