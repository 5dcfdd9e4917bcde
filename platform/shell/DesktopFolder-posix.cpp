// The desktop: the root of the namespace. Its items are "Home", "Computer"
// and the entries of the desktop directory; absolute lists start here.
#include "platform/shell/DesktopFolder.h"

#include <errno.h>
#include <sys/stat.h>

#include "platform/shell/EntryOrder.h"
#include "platform/shell/FileSystemFolder.h"
#include "platform/shell/FolderEntries.h"
#include "platform/shell/FolderEnumerator.h"
#include "platform/shell/ItemContextMenu.h"
#include "platform/shell/ShellTexts.h"
#include "platform/shell/UserFolders.h"
#include "platform/shell/WideText.h"

namespace lum::shell::detail {

namespace {

bool IsDirectory(const std::string& path) {
  struct stat status {};
  return ::stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

std::string VirtualPath(ids::Kind kind) { return kind == ids::Kind::Home ? CurrentUserFolders()->home : "/"; }
const char* VirtualName(ids::Kind kind) { return kind == ids::Kind::Home ? text::kHome : text::kComputer; }

// What an absolute list names.
struct Located {
  enum Target { kDesktop, kVirtual, kEntry } target = kDesktop;
  ids::Kind virtualKind = ids::Kind::Home;
  std::string path;   ///< for the desktop: its directory
  ResolvedItem item;  ///< for an entry
};

bool Locate(PCUIDLIST list, Located& located) {
  if (IsEmptyIdList(list)) {
    located.target = Located::kDesktop;
    located.path = CurrentUserFolders()->desktop;
    return true;
  }
  ids::IdView first;
  if (!ids::ReadFirstId(list, first)) return false;
  if (first.kind == ids::Kind::Entry) {
    if (!ResolveEntries(CurrentUserFolders()->desktop, list, located.item)) return false;
    located.target = Located::kEntry;
    located.path = located.item.path;
    return true;
  }
  const std::string base = VirtualPath(first.kind);
  const PCUIDLIST rest = NextId(list);
  if (IsEmptyIdList(rest)) {
    located.target = Located::kVirtual;
    located.virtualKind = first.kind;
    located.path = base;
    return true;
  }
  if (!ResolveEntries(base, rest, located.item)) return false;
  located.item.single = false;  // the name is not in the list's first ID
  located.target = Located::kEntry;
  located.path = located.item.path;
  return true;
}

int Rank(const ids::IdView& id) {
  switch (id.kind) {
    case ids::Kind::Home: return 0;
    case ids::Kind::Computer: return 1;
    default: return id.IsFolder() ? 2 : 3;
  }
}

// Home and Computer first (folders all), then the desktop directory.
class DesktopEnumerator final : public ComBase<IEnumIDList> {
 public:
  DesktopEnumerator(SHCONTF flags, ComPtr<IEnumIDList> entries)
      : virtualLeft_((flags & SHCONTF_FOLDERS) ? 2 : 0), entries_(std::move(entries)) {}

  HRESULT QueryInterface(REFIID iid, void** object) override {
    return Offer(iid == IID_IUnknown || iid == IID_IEnumIDList, object);
  }

  HRESULT Next(ULONG count, IdList* items, ULONG* fetched) override {
    ULONG given = 0;
    while (given < count && virtualLeft_ > 0) {
      items[given] = ids::MakeVirtualId(virtualLeft_ == 2 ? ids::Kind::Home : ids::Kind::Computer);
      if (!items[given]) return E_OUTOFMEMORY;
      ++given;
      --virtualLeft_;
    }
    if (given < count && entries_) {
      ULONG more = 0;
      const HRESULT result = entries_->Next(count - given, items + given, &more);
      given += more;
      if (Failed(result)) return result;
    }
    if (fetched) *fetched = given;
    return given == count ? S_OK : S_FALSE;
  }

 private:
  int virtualLeft_;
  ComPtr<IEnumIDList> entries_;
};

class DesktopFolder final : public ComBase<IShellFolder> {
 public:
  HRESULT QueryInterface(REFIID iid, void** object) override {
    return Offer(iid == IID_IUnknown || iid == IID_IShellFolder, object);
  }

  HRESULT ParseDisplayName(HWND, void*, std::wstring_view displayName, ULONG* eaten, IdList& idList,
                           ULONG* attributes) override {
    idList.reset();
    const std::string path = BytesFromWide(displayName);
    if (path.empty() || path[0] != '/') return E_INVALIDARG;
    // Every path is reached through "Computer", the root folder.
    std::vector<uint8_t> builder;
    AppendVirtualId(builder, ids::Kind::Computer);
    const HRESULT parsed = ParseEntries("/", path, builder);
    if (Failed(parsed)) return parsed;
    return FinishParsedName(*this, builder, displayName, eaten, idList, attributes);
  }

  HRESULT EnumObjects(HWND, SHCONTF flags, ComPtr<IEnumIDList>& enumerator) override {
    ComPtr<IEnumIDList> entries;
    // No desktop directory: only the virtual folders.
    if (Failed(EnumerateEntries(CurrentUserFolders()->desktop, flags, entries))) entries.Reset();
    enumerator = MakeComObject<DesktopEnumerator>(flags, std::move(entries));
    return S_OK;
  }

  HRESULT BindToObject(PCUIDLIST idList, void*, REFIID iid, void** object) override {
    if (!object) return E_POINTER;
    *object = nullptr;
    // A file named by its ID: nothing to bind, and nothing to look up.
    ids::IdView last;
    for (PCUIDLIST at = idList; !IsEmptyIdList(at); at = NextId(at))
      if (!ids::ReadFirstId(at, last)) return E_INVALIDARG;
    if (!IsEmptyIdList(idList) && !last.IsFolder()) return HResultFromErrno(ENOTDIR);
    Located located;
    if (!Locate(idList, located) || located.target == Located::kDesktop) return E_INVALIDARG;
    if (located.target == Located::kEntry && !located.item.last.IsFolder()) return HResultFromErrno(ENOTDIR);
    return BindFileSystemFolder(located.path, iid, object);
  }

  HRESULT CompareIDs(LPARAM lParam, PCUIDLIST a, PCUIDLIST b) override {
    const bool endA = IsEmptyIdList(a), endB = IsEmptyIdList(b);
    if (endA || endB) return ResultFromShort(endA == endB ? 0 : endA ? -1 : 1);
    ids::IdView va, vb;
    if (!ids::ReadFirstId(a, va) || !ids::ReadFirstId(b, vb)) return E_INVALIDARG;
    if (ids::SameId(va, vb)) {
      if (va.IsVirtual()) return CompareEntryLists(VirtualPath(va.kind), lParam, NextId(a), NextId(b));
      return CompareEntryLists(CurrentUserFolders()->desktop, lParam, a, b);
    }
    // Different ways to the same place ("Home" and "Computer/home/ann", or a
    // desktop entry and its path through "Computer") name the same item.
    if (va.kind != vb.kind) {
      Located la, lb;
      if (Locate(a, la) && Locate(b, lb) && la.path == lb.path) return ResultFromShort(0);
    }
    const int ra = Rank(va), rb = Rank(vb);
    if (ra != rb) return ResultFromShort(ra < rb ? -1 : 1);
    const int column = static_cast<int>(lParam & SHCIDS_COLUMNMASK);
    return ResultFromShort(CompareEntries(CurrentUserFolders()->desktop, column, va, vb));
  }

  HRESULT CreateViewObject(HWND, REFIID, void** object) override {
    if (object) *object = nullptr;
    return E_NOINTERFACE;
  }

  HRESULT GetAttributesOf(UINT count, const PCUIDLIST* idLists, SFGAOF* inOut) override {
    if (!inOut) return E_POINTER;
    const SFGAOF asked = *inOut;
    if (count == 0) {
      *inOut = DesktopAttributes(asked);
      return S_OK;
    }
    *inOut = 0;  // what a failure leaves: no attribute at all
    SFGAOF common = ~SFGAOF{0};
    for (UINT i = 0; i < count; ++i) {
      Located located;
      if (!Locate(idLists[i], located)) return E_INVALIDARG;
      switch (located.target) {
        case Located::kDesktop: common &= DesktopAttributes(asked); break;
        case Located::kVirtual: common &= VirtualFolderAttributes(asked); break;
        case Located::kEntry: common &= EntryAttributes(located.item, asked); break;
      }
    }
    *inOut = common;
    return S_OK;
  }

  HRESULT GetUIObjectOf(HWND owner, UINT count, const PCUIDLIST* idLists, REFIID iid, UINT*,
                        void** object) override {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (iid != IID_IContextMenu && iid != IID_IContextMenu2) return E_NOINTERFACE;
    Located located;
    if (count != 1 || !Locate(idLists[0], located) || located.target == Located::kDesktop) return E_INVALIDARG;
    MenuTarget target;
    target.path = located.path;
    if (located.target == Located::kVirtual) {
      target.name = VirtualName(located.virtualKind);
      target.isFolder = true;
      target.isVirtual = true;
    } else {
      target.name = std::string(located.item.last.name);
      target.isFolder = located.item.last.IsFolder();
      target.parentWritable = EntryAttributes(located.item, SFGAO_CANRENAME) != 0;
    }
    return CreateItemContextMenu(owner, target, iid, object);
  }

  HRESULT GetDisplayNameOf(PCUIDLIST idList, SHGDNF flags, STRRET* name) override {
    if (!name) return E_POINTER;
    Located located;
    if (!Locate(idList, located)) return E_INVALIDARG;
    *name = STRRET{};
    const bool parsing = (flags & SHGDN_FORPARSING) && !(flags & SHGDN_INFOLDER);
    switch (located.target) {
      case Located::kDesktop:
        if (!parsing) {
          name->pOleStr = WideFromBytes(text::kDesktop);
        } else if (IsDirectory(located.path)) {
          name->uType = STRRET_CSTR;
          name->cStr = located.path;
        } else {
          name->pOleStr = text::kDesktopClassPath;  // a desktop without a directory of its own
        }
        break;
      case Located::kVirtual:
        if (parsing) {
          name->uType = STRRET_CSTR;
          name->cStr = located.path;
        } else {
          name->pOleStr = WideFromBytes(VirtualName(located.virtualKind));
        }
        break;
      case Located::kEntry: EntryDisplayName(located.item, flags, name); break;
    }
    return S_OK;
  }

  HRESULT SetNameOf(HWND, PCUIDLIST idList, std::wstring_view name, SHGDNF, IdList* newIdList) override {
    Located located;
    if (!Locate(idList, located)) return E_INVALIDARG;
    if (located.target != Located::kEntry) return HResultFromErrno(EPERM);
    return RenameEntry(located.item, idList, name, newIdList);
  }

 private:
  static SFGAOF DesktopAttributes(SFGAOF asked) {
    SFGAOF attributes = VirtualFolderAttributes(asked);
    if (!IsDirectory(CurrentUserFolders()->desktop)) attributes &= ~SFGAO_FILESYSTEM;
    return attributes;
  }
};

}  // namespace

}  // namespace lum::shell::detail

namespace lum::shell {

HRESULT SHGetDesktopFolder(ComPtr<IShellFolder>& desktop) {
  // One desktop for the process, as the shell has it; never released.
  static IShellFolder* const instance = MakeComObject<detail::DesktopFolder>().Detach();
  desktop = ComPtr<IShellFolder>(instance);
  return S_OK;
}

}  // namespace lum::shell
