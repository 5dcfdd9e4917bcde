// A file-system directory as a shell folder: its items are its entries.
#include "platform/shell/FileSystemFolder.h"

#include <errno.h>

#include "platform/shell/EntryOrder.h"
#include "platform/shell/FolderDetails.h"
#include "platform/shell/FolderEntries.h"
#include "platform/shell/FolderEnumerator.h"
#include "platform/shell/ItemContextMenu.h"
#include "platform/shell/WideText.h"

namespace lum::shell::detail {

namespace {

class FileSystemFolder final : public ComBase<IShellFolder2> {
 public:
  explicit FileSystemFolder(std::string path) : path_(std::move(path)) {}

  HRESULT QueryInterface(REFIID iid, void** object) override {
    return Offer(iid == IID_IUnknown || iid == IID_IShellFolder || iid == IID_IShellFolder2, object);
  }

  HRESULT ParseDisplayName(HWND, void*, std::wstring_view displayName, ULONG* eaten, IdList& idList,
                           ULONG* attributes) override;
  HRESULT EnumObjects(HWND, SHCONTF flags, ComPtr<IEnumIDList>& enumerator) override {
    return EnumerateEntries(path_, flags, enumerator);
  }
  HRESULT BindToObject(PCUIDLIST idList, void*, REFIID iid, void** object) override;
  HRESULT CompareIDs(LPARAM lParam, PCUIDLIST a, PCUIDLIST b) override {
    return CompareEntryLists(path_, lParam, a, b);
  }
  HRESULT CreateViewObject(HWND, REFIID, void** object) override {
    if (object) *object = nullptr;
    return E_NOINTERFACE;
  }
  HRESULT GetAttributesOf(UINT count, const PCUIDLIST* idLists, SFGAOF* inOut) override;
  HRESULT GetUIObjectOf(HWND owner, UINT count, const PCUIDLIST* idLists, REFIID iid, UINT*,
                        void** object) override;
  HRESULT GetDisplayNameOf(PCUIDLIST idList, SHGDNF flags, STRRET* name) override;
  HRESULT SetNameOf(HWND, PCUIDLIST idList, std::wstring_view name, SHGDNF, IdList* newIdList) override {
    ResolvedItem item;
    if (!ResolveEntries(path_, idList, item)) return E_INVALIDARG;
    return RenameEntry(item, idList, name, newIdList);
  }
  HRESULT GetDetailsOf(PCUIDLIST idList, UINT column, SHELLDETAILS* details) override {
    if (!idList) return EntryDetails(nullptr, column, details);
    ResolvedItem item;
    if (!ResolveEntries(path_, idList, item)) return E_INVALIDARG;
    return EntryDetails(&item, column, details);
  }
  HRESULT GetDefaultColumnState(UINT column, SHCOLSTATEF* state) override {
    return EntryColumnState(column, state);
  }

 private:
  std::string path_;
};

HRESULT FileSystemFolder::ParseDisplayName(HWND, void*, std::wstring_view displayName, ULONG* eaten,
                                           IdList& idList, ULONG* attributes) {
  idList.reset();
  const std::string path = BytesFromWide(displayName);
  if (path.empty() || path[0] == '/') return E_INVALIDARG;
  std::vector<uint8_t> builder;
  const HRESULT parsed = ParseEntries(path_, path, builder);
  if (Failed(parsed)) return parsed;
  if (builder.empty()) return E_INVALIDARG;  // "." names this folder, not an item in it
  return FinishParsedName(*this, builder, displayName, eaten, idList, attributes);
}

HRESULT FileSystemFolder::BindToObject(PCUIDLIST idList, void*, REFIID iid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  // The type that enumeration learned decides: a file has no folder, and
  // finding that out costs nothing.
  ids::IdView last;
  for (PCUIDLIST at = idList; !IsEmptyIdList(at); at = NextId(at))
    if (!ids::ReadFirstId(at, last) || last.kind != ids::Kind::Entry) return E_INVALIDARG;
  if (!IsEmptyIdList(idList) && !last.IsFolder()) return HResultFromErrno(ENOTDIR);
  ResolvedItem item;
  if (!ResolveEntries(path_, idList, item)) return E_INVALIDARG;
  return BindFileSystemFolder(item.path, iid, object);
}

HRESULT FileSystemFolder::GetAttributesOf(UINT count, const PCUIDLIST* idLists, SFGAOF* inOut) {
  if (!inOut) return E_POINTER;
  const SFGAOF asked = *inOut;
  if (count == 0) {  // the folder itself
    *inOut = VirtualFolderAttributes(asked);
    return S_OK;
  }
  *inOut = 0;  // what a failure leaves: no attribute at all
  SFGAOF common = ~SFGAOF{0};
  for (UINT i = 0; i < count; ++i) {
    if (AskedOnlyFromId(asked)) {  // IsFolderItem for every row of a fill: no path, no system call
      ids::IdView last;
      PCUIDLIST at = idLists[i];
      if (IsEmptyIdList(at)) return E_INVALIDARG;
      for (; !IsEmptyIdList(at); at = NextId(at))
        if (!ids::ReadFirstId(at, last) || last.kind != ids::Kind::Entry) return E_INVALIDARG;
      common &= AttributesFromId(last) & asked;
      continue;
    }
    ResolvedItem item;
    if (!ResolveEntries(path_, idLists[i], item)) return E_INVALIDARG;
    common &= EntryAttributes(item, asked);
  }
  *inOut = common;
  return S_OK;
}

HRESULT FileSystemFolder::GetUIObjectOf(HWND owner, UINT count, const PCUIDLIST* idLists, REFIID iid, UINT*,
                                        void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (iid != IID_IContextMenu && iid != IID_IContextMenu2) return E_NOINTERFACE;
  if (count != 1) return E_INVALIDARG;
  ResolvedItem item;
  if (!ResolveEntries(path_, idLists[0], item)) return E_INVALIDARG;
  MenuTarget target;
  target.path = item.path;
  target.name = std::string(item.last.name);
  target.isFolder = item.last.IsFolder();
  target.parentWritable = EntryAttributes(item, SFGAO_CANRENAME) != 0;
  return CreateItemContextMenu(owner, target, iid, object);
}

HRESULT FileSystemFolder::GetDisplayNameOf(PCUIDLIST idList, SHGDNF flags, STRRET* name) {
  if (!name) return E_POINTER;
  ResolvedItem item;
  if (!ResolveEntries(path_, idList, item)) return E_INVALIDARG;
  EntryDisplayName(item, flags, name);
  return S_OK;
}

}  // namespace

HRESULT BindFileSystemFolder(const std::string& path, REFIID iid, void** object) {
  if (!object) return E_POINTER;
  ComPtr<FileSystemFolder> folder = MakeComObject<FileSystemFolder>(path);
  return folder->QueryInterface(iid, object);
}

}  // namespace lum::shell::detail
