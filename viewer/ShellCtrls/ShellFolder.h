// One shell item, file or folder, as the browser holds it.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/shell/ShellInterfaces.h"
#include "viewer/ShellCtrls/EnumSet.h"
#include "viewer/ShellCtrls/IdLists.h"

namespace lum {

/// What may be done with an item (GetAttributesOf with SFGAO_CAPABILITYMASK).
enum TShellFolderCapability { fcCanCopy, fcCanDelete, fcCanLink, fcCanMove, fcCanRename, fcDropTarget, fcHasPropSheet };
using TShellFolderCapabilities = EnumSet<TShellFolderCapability>;

/// What an item is.
enum TShellFolderProperty {
  fpHidden,              ///< SFGAO_HIDDEN
  fpIsLink,              ///< SFGAO_LINK
  fpReadOnly,            ///< SFGAO_READONLY
  fpShared,              ///< SFGAO_SHARE
  fpFileSystem,          ///< SFGAO_FILESYSTEM
  fpFileSystemAncestor,  ///< SFGAO_FILESYSANCESTOR
  fpRemovable,           ///< SFGAO_REMOVABLE
  fpValidate             ///< SFGAO_VALIDATE
};
using TShellFolderProperties = EnumSet<TShellFolderProperty>;

class TShellFolder {
 public:
  /// An item named by `idList` (copied) inside `parent`, with its own folder
  /// interface if it has one. Without a parent the absolute list is the
  /// desktop's followed by `idList`, and the desktop item becomes the
  /// parent (when it exists).
  TShellFolder(TShellFolder* parent, PCUIDLIST idList, shell::ComPtr<shell::IShellFolder> shellFolder);
  ~TShellFolder();
  TShellFolder(const TShellFolder&) = delete;
  TShellFolder& operator=(const TShellFolder&) = delete;

  TShellFolder* Parent() const { return parent_; }
  /// The own ID list, relative to the parent.
  PCUIDLIST RelativeID() const { return relative_.get(); }
  PCUIDLIST AbsoluteID() const { return absolute_.get(); }
  /// The item's own folder interface; absent for most files.
  shell::IShellFolder* ShellFolder() const { return folder_.Get(); }

  /// The parent's folder interface; the desktop folder without a parent.
  shell::ComPtr<shell::IShellFolder> ParentFolderInterface() const;
  bool IsFolderItem() const;
  bool HasSubFolderItems() const;
  /// The full file-system path, or the shell's parsing name.
  std::string FullPath() const;
  /// The name shown in a row (bytes; a name that is not UTF-8 stays as it is).
  std::string InFolderName() const;
  TShellFolderCapabilities CapabilitySet() const;
  TShellFolderProperties PropertySet() const;
  /// Whether PropertySet would hold fpShared, asking the shell for that
  /// attribute alone: the others cost a look at the file each.
  bool IsShared() const;
  /// The icon index in the small or large system image list.
  int ShellImageIndex(bool large, bool open) const;

  /// Fills the detail texts for columns 1 to `count`, asked of `parentItem`
  /// (its detail interface, else the file data); nothing when enough are held.
  void LoadColumnDetails(TShellFolder* parentItem, shell::HWND window, int count);
  /// The text of detail column `column` (1 or more).
  std::string DetailText(int column) const;
  size_t DetailCount() const { return details_.size(); }

  /// Negative, 0 or positive as this item sorts before, with or after
  /// `other`, an item of the same folder, by `column` of that folder's
  /// order: the parent's CompareIDs, its low 16 bits read as a signed number.
  int CompareWith(const TShellFolder& other, int column) const;

  /// Gives the item a new name through the shell; false (and nothing done)
  /// when the item cannot be renamed. Raises when the shell refuses.
  ///
  /// Items under a renamed folder are not told: each holds its own copy of
  /// its absolute list, and its folder object reads the path it was bound
  /// to, so until it is rebuilt its FullPath names the old place and it
  /// lists nothing. Their own (relative) lists stay right. Whoever holds
  /// them calls RebuildFromParent on each, parents before children (or
  /// makes them anew from the renamed item, as a fill does).
  bool RenameTo(const std::string& newName);
  /// Makes the absolute list anew from the parent's current one and the own
  /// list, binds the folder object anew and drops the details learned so
  /// far: the item follows a rename of any folder above it.
  void RebuildFromParent();
  /// Moves the item to `parent`, a new item for the folder that held it (the
  /// folder read again), and drops the details learned so far, which a new
  /// read must not take over. Its own list stays: it names the same entry.
  void MoveTo(TShellFolder* parent);
  /// Runs a context-menu verb without showing the menu.
  void InvokeVerb(const std::string& verb);
  /// The shell's default action for the item.
  void ExecuteDefault();

  /// The detail interfaces, sought on first use and kept (see
  /// ShellFolderDetails.cpp).
  shell::IShellDetails* ShellDetails();
  shell::IShellFolder2* ShellFolder2();
  /// The IShellFolder2 if there is one, else the IShellDetails, else none.
  shell::IUnknown* DetailInterface();

  shell::HWND ViewHandle() const { return viewHandle_; }
  void SetViewHandle(shell::HWND window) { viewHandle_ = window; }

 private:
  void ResolveDetailInterfaces();
  /// Takes `relative` as the own list and rebuilds what depends on it.
  void Rebind(IdList relative, shell::IShellFolder* parentFolder);
  shell::SFGAOF Attributes(shell::SFGAOF asked) const;

  TShellFolder* parent_;
  IdList relative_;
  IdList absolute_;
  shell::ComPtr<shell::IShellFolder> folder_;
  bool detailsResolved_ = false;
  shell::ComPtr<shell::IShellDetails> shellDetails_;
  shell::ComPtr<shell::IShellFolder2> shellFolder2_;
  shell::IUnknown* detailInterface_ = nullptr;  ///< one of the two above
  std::vector<std::string> details_;
  shell::HWND viewHandle_ = nullptr;
};

}  // namespace lum
