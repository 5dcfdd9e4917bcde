// The interfaces of the shell namespace: folder objects, their enumerators
// and their detail columns. The desktop (DesktopFolder.h) is the root; every
// other folder is a file-system directory whose items are its entries.
// Folders are used from the window's thread.
#pragma once

#include <string_view>

#include "platform/shell/ComPtr.h"
#include "platform/shell/ItemIdList.h"

namespace lum::shell {

class IEnumIDList : public IUnknown {
 public:
  static constexpr const IID& kIid = IID_IEnumIDList;
  /// Fills up to `count` entries of `items` with the next items' relative
  /// lists; S_OK when all `count` were given, S_FALSE when fewer (at the end).
  virtual HRESULT Next(ULONG count, IdList* items, ULONG* fetched) = 0;
};

class IShellFolder : public IUnknown {
 public:
  static constexpr const IID& kIid = IID_IShellFolder;

  /// The list for a path. The desktop takes absolute paths ("/" separators;
  /// a trailing "/" names the folder itself); a file-system folder takes
  /// paths relative to it, and ".." never leads out of it. Every part must
  /// exist; ".." goes where the kernel goes (from a symlink to the parent of
  /// its target). A path with a NUL names nothing. `eaten` (optional) gets
  /// the number of characters used; `attributes` (optional, in/out) the
  /// item's attributes as GetAttributesOf gives them.
  virtual HRESULT ParseDisplayName(HWND owner, void* bindContext, std::wstring_view displayName, ULONG* eaten,
                                   IdList& idList, ULONG* attributes) = 0;
  /// Items in the folder's own order, folders and/or non-folders, hidden
  /// ones (names starting with ".") only with SHCONTF_INCLUDEHIDDEN.
  virtual HRESULT EnumObjects(HWND owner, SHCONTF flags, ComPtr<IEnumIDList>& enumerator) = 0;
  /// The folder object of a (relative, possibly multi-level) sub-folder list,
  /// asked for `iid` (IShellFolder, IShellFolder2).
  virtual HRESULT BindToObject(PCUIDLIST idList, void* bindContext, REFIID iid, void** object) = 0;
  /// ResultFromShort(negative, 0, positive) as `a` sorts before, with or
  /// after `b` by the column in lParam's low 16 bits: 0 name, 1 size,
  /// 2 type, 3 modification time; folders first. Two lists compare 0 only
  /// when they name the same item.
  virtual HRESULT CompareIDs(LPARAM lParam, PCUIDLIST a, PCUIDLIST b) = 0;
  /// No view objects are offered here: E_NOINTERFACE for every IID.
  virtual HRESULT CreateViewObject(HWND owner, REFIID iid, void** object) = 0;
  /// On entry `*inOut` holds the attributes asked for (0: all of them); on
  /// exit those that apply to every one of the items, and 0 on failure (an
  /// ID that names no item here).
  virtual HRESULT GetAttributesOf(UINT count, const PCUIDLIST* idLists, SFGAOF* inOut) = 0;
  /// UI objects of items: IContextMenu / IContextMenu2 for one item.
  virtual HRESULT GetUIObjectOf(HWND owner, UINT count, const PCUIDLIST* idLists, REFIID iid, UINT* reserved,
                                void** object) = 0;
  virtual HRESULT GetDisplayNameOf(PCUIDLIST idList, SHGDNF flags, STRRET* name) = 0;
  /// Renames the item on disk within its folder. `newIdList` (optional) gets
  /// `idList` with its last ID replaced by the new name's, so that a
  /// multi-level list still names the item from the same folder. Refuses a
  /// name with "/" or a NUL, "." or "..", or one that exists.
  virtual HRESULT SetNameOf(HWND owner, PCUIDLIST idList, std::wstring_view name, SHGDNF flags,
                            IdList* newIdList) = 0;
};

class IShellFolder2 : public IShellFolder {
 public:
  static constexpr const IID& kIid = IID_IShellFolder2;
  /// With no item the heading of `column`, with an item its text; fails
  /// past the last column.
  virtual HRESULT GetDetailsOf(PCUIDLIST idList, UINT column, SHELLDETAILS* details) = 0;
  virtual HRESULT GetDefaultColumnState(UINT column, SHCOLSTATEF* state) = 0;
};

/// The older detail interface. No folder of this namespace offers it; it
/// exists so that code written for both runs unchanged.
class IShellDetails : public IUnknown {
 public:
  static constexpr const IID& kIid = IID_IShellDetails;
  virtual HRESULT GetDetailsOf(PCUIDLIST idList, UINT column, SHELLDETAILS* details) = 0;
};

}  // namespace lum::shell
