// The context menu of one item: its entries, and running them.
#include "platform/shell/ItemContextMenu.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "base/Messages.h"
#include "platform/shell/ContextMenu.h"
#include "platform/shell/FileClipboard.h"
#include "platform/shell/FileOperations.h"
#include "platform/shell/Launcher.h"
#include "platform/shell/MenuCommands.h"
#include "platform/shell/PathText.h"
#include "platform/shell/ShellTexts.h"
#include "platform/shell/Trash.h"

namespace lum::shell::detail {

namespace {

constexpr DWORD CMIC_MASK_FLAG_NO_UI = 0x400;

// Command offsets are fixed per verb, whatever the item offers.
enum Command : UINT { kOpen, kCut, kCopy, kPaste, kDelete, kRename, kProperties, kCommandCount };

struct CommandText {
  const char* verb;
  const char* menuText;
  const char* helpText;
};
constexpr CommandText kCommands[kCommandCount] = {
    {"open", text::kMenuOpen, text::kHelpOpen},
    {"cut", text::kMenuCut, text::kHelpCut},
    {"copy", text::kMenuCopy, text::kHelpCopy},
    {"paste", text::kMenuPaste, text::kHelpPaste},
    {"delete", text::kMenuDelete, text::kHelpDelete},
    {"rename", text::kMenuRename, text::kHelpRename},
    {"properties", text::kMenuProperties, text::kHelpProperties},
};

bool SameVerb(const std::string& a, const char* b) { return ::strcasecmp(a.c_str(), b) == 0; }

class ItemContextMenu final : public ComBase<IContextMenu2> {
 public:
  explicit ItemContextMenu(MenuTarget target) : target_(std::move(target)) {}

  HRESULT QueryInterface(REFIID iid, void** object) override {
    return Offer(iid == IID_IUnknown || iid == IID_IContextMenu || iid == IID_IContextMenu2, object);
  }

  HRESULT QueryContextMenu(PopupMenu& menu, UINT indexMenu, UINT idCmdFirst, UINT idCmdLast,
                           UINT flags) override {
    UINT position = indexMenu;
    UINT used = 0;
    bool pendingSeparator = false;
    auto add = [&](Command command, UINT extraFlags = 0) {
      if (!Offered(command) || idCmdFirst + command > idCmdLast) return;
      if (command == kRename && !(flags & CMF_CANRENAME)) return;
      if (pendingSeparator && position > indexMenu) menu.InsertItem(position++, MF_SEPARATOR, 0, {});
      pendingSeparator = false;
      const UINT state = Enabled(command) ? 0 : MF_GRAYED;
      menu.InsertItem(position++, MF_STRING | state | extraFlags, idCmdFirst + command, kCommands[command].menuText);
      used = std::max<UINT>(used, command + 1);
    };
    add(kOpen, MFS_DEFAULT);
    if (!(flags & CMF_DEFAULTONLY)) {
      pendingSeparator = true;
      add(kCut);
      add(kCopy);
      add(kPaste);
      pendingSeparator = true;
      add(kDelete);
      add(kRename);
      pendingSeparator = true;
      add(kProperties);
    }
    return ResultFromShort(static_cast<int>(used));
  }

  HRESULT InvokeCommand(const CMINVOKECOMMANDINFO& info) override {
    Command command = kCommandCount;
    if (const UINT* offset = std::get_if<UINT>(&info.lpVerb)) {
      if (*offset < kCommandCount) command = static_cast<Command>(*offset);
    } else {
      const std::string& verb = std::get<std::string>(info.lpVerb);
      for (UINT c = 0; c < kCommandCount; ++c)
        if (SameVerb(verb, kCommands[c].verb)) command = static_cast<Command>(c);
    }
    if (command == kCommandCount || !Offered(command)) return E_INVALIDARG;
    if (command != kPaste && !Enabled(command)) return HResultFromErrno(EACCES);
    const HWND ui = info.hwnd;
    const bool quiet = info.fMask & CMIC_MASK_FLAG_NO_UI;
    switch (command) {
      case kOpen: return Open(ui, info.nShow, quiet);
      case kCut:
      case kCopy: PutFilesOnClipboard({target_.path}, command == kCut); return S_OK;
      case kPaste: return Paste(ui, quiet);
      case kDelete: return Delete(ui, quiet);
      case kRename: ShowRenameDialog(ui, target_); return S_OK;
      case kProperties: ShowPropertiesWindow(ui, target_); return S_OK;
      default: return E_INVALIDARG;
    }
  }

  HRESULT GetCommandString(UINT idCmd, UINT type, UINT*, std::string& name) override {
    name.clear();
    if (idCmd >= kCommandCount || !Offered(static_cast<Command>(idCmd))) return E_INVALIDARG;
    switch (type) {
      case GCS_VERBA:
      case GCS_VERBW: name = kCommands[idCmd].verb; return S_OK;
      case GCS_HELPTEXTA: name = kCommands[idCmd].helpText; return S_OK;
      case GCS_VALIDATEA: return S_OK;
      default: return E_INVALIDARG;
    }
  }

  HRESULT HandleMenuMsg(UINT, WPARAM, LPARAM) override { return S_OK; }

 private:
  bool Offered(Command command) const {
    switch (command) {
      case kCut:
      case kCopy:
      case kDelete:
      case kRename: return !target_.isVirtual;
      case kPaste: return target_.isFolder;
      default: return true;
    }
  }

  bool Enabled(Command command) const {
    switch (command) {
      case kCut:
      case kDelete:
      case kRename: return target_.parentWritable;
      case kPaste: {
        std::vector<std::string> files;
        bool cut = false;
        return FilesOnClipboard(files, cut);
      }
      default: return true;
    }
  }

  void Report(HWND ui, bool quiet, const std::string& message) const {
    if (!quiet) ShowFailure(ui, message);
  }

  HRESULT Open(HWND ui, int show, bool quiet) const {
    if (ShellExecute(ui, nullptr, target_.path, {}, ParentOf(target_.path), show) > 32) return S_OK;
    Report(ui, quiet, msg::Format(text::kOpenFailed, {target_.name}));
    return E_FAIL;
  }

  HRESULT Paste(HWND ui, bool quiet) const {
    std::vector<std::string> files;
    bool cut = false;
    if (!FilesOnClipboard(files, cut)) return E_FAIL;
    for (const std::string& file : files) {
      if (const int failed = PasteInto(file, target_.path, cut)) {
        // PasteInto's EINVAL stands for a NUL in a path as well as for a
        // folder put inside itself.
        const bool nul = file.find('\0') != std::string::npos || target_.path.find('\0') != std::string::npos;
        const std::string reason = failed != EINVAL ? std::strerror(failed)
                                   : nul           ? text::kPathWithNul
                                                   : text::kPasteIntoItself;
        Report(ui, quiet, msg::Format(text::kPasteFailed, {file, reason}));
        return HResultFromErrno(failed);
      }
    }
    if (cut) ClearFileClipboard();  // moved files are gone from where the clipboard says
    return S_OK;
  }

  HRESULT Delete(HWND ui, bool quiet) const {
    std::string unsafeTrash;
    const int failed = MoveToTrash(target_.path, nullptr, &unsafeTrash);
    if (failed == kTrashNotSafe) {
      Report(ui, quiet, msg::Format(text::kTrashNotSafe, {target_.name, unsafeTrash}));
      return HResultFromErrno(EACCES);
    }
    if (failed) {
      Report(ui, quiet, msg::Format(text::kDeleteFailed, {target_.name, std::strerror(failed)}));
      return HResultFromErrno(failed);
    }
    return S_OK;
  }

  MenuTarget target_;
};

}  // namespace

HRESULT CreateItemContextMenu(HWND, const MenuTarget& target, REFIID iid, void** object) {
  ComPtr<ItemContextMenu> menu = MakeComObject<ItemContextMenu>(target);
  return menu->QueryInterface(iid, object);
}

}  // namespace lum::shell::detail
