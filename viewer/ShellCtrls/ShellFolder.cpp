#include "viewer/ShellCtrls/ShellFolder.h"

#include <cstring>
#include <utility>

#include "base/Messages.h"
#include "platform/shell/ContextMenu.h"
#include "platform/shell/FileInfo.h"
#include "platform/shell/KnownFolders.h"
#include "platform/shell/Launcher.h"
#include "platform/shell/WideText.h"
#include "viewer/ShellCtrls/DisplayNames.h"
#include "viewer/ShellCtrls/ShellErrors.h"
#include "viewer/ShellCtrls/ShellMessages.h"
#include "viewer/ShellCtrls/ShellUnit.h"

namespace lum {

using namespace shell;

TShellFolder::TShellFolder(TShellFolder* parent, PCUIDLIST idList, ComPtr<IShellFolder> shellFolder)
    : parent_(parent), folder_(std::move(shellFolder)) {
  relative_ = idList ? CopyIdList(idList) : shell::AllocateIdList(2);  // a missing list: the empty one
  if (!relative_) throw EOleSysError(E_OUTOFMEMORY);
  if (parent_) {
    absolute_ = ConcatIdLists(parent_->AbsoluteID(), relative_.get());
  } else {
    IdList desktop;
    OleCheck(SHGetSpecialFolderLocation(nullptr, CSIDL_DESKTOP, desktop));
    absolute_ = ConcatIdLists(desktop.get(), relative_.get());
    parent_ = DesktopShellFolder();  // none while the desktop item itself is made
  }
}

TShellFolder::~TShellFolder() = default;

ComPtr<IShellFolder> TShellFolder::ParentFolderInterface() const {
  if (!parent_) return DesktopFolder();
  return ComPtr<IShellFolder>(parent_->ShellFolder());
}

SFGAOF TShellFolder::Attributes(SFGAOF asked) const {
  const ComPtr<IShellFolder> parentFolder = ParentFolderInterface();
  if (!parentFolder) return 0;
  SFGAOF mask = asked;
  const PCUIDLIST items[1] = {relative_.get()};
  // A failed call answers nothing, whatever a folder left in the mask.
  if (Failed(parentFolder->GetAttributesOf(1, items, &mask))) return 0;
  return mask;
}

bool TShellFolder::IsFolderItem() const { return (Attributes(SFGAO_FOLDER) & SFGAO_FOLDER) != 0; }

bool TShellFolder::HasSubFolderItems() const { return (Attributes(SFGAO_HASSUBFOLDER) & SFGAO_HASSUBFOLDER) != 0; }

std::string TShellFolder::FullPath() const {
  return GetDisplayName(DesktopFolder().Get(), absolute_.get(), SHGDN_FORPARSING);
}

std::string TShellFolder::InFolderName() const {
  return GetDisplayName(ParentFolderInterface().Get(), relative_.get(), SHGDN_INFOLDER);
}

TShellFolderCapabilities TShellFolder::CapabilitySet() const {
  const SFGAOF mask = Attributes(SFGAO_CAPABILITYMASK);
  TShellFolderCapabilities capabilities;
  const std::pair<SFGAOF, TShellFolderCapability> map[] = {
      {SFGAO_CANCOPY, fcCanCopy},     {SFGAO_CANDELETE, fcCanDelete},   {SFGAO_CANLINK, fcCanLink},
      {SFGAO_CANMOVE, fcCanMove},     {SFGAO_CANRENAME, fcCanRename},   {SFGAO_DROPTARGET, fcDropTarget},
      {SFGAO_HASPROPSHEET, fcHasPropSheet}};
  for (const auto& [bit, capability] : map)
    if (mask & bit) capabilities.Include(capability);
  return capabilities;
}

TShellFolderProperties TShellFolder::PropertySet() const {
  TShellFolderProperties properties;
  if (!ParentFolderInterface()) return properties;
  const SFGAOF first = Attributes(0xF0000);
  const SFGAOF second = Attributes(0);
  const std::pair<SFGAOF, TShellFolderProperty> firstMap[] = {
      {SFGAO_HIDDEN, fpHidden}, {SFGAO_LINK, fpIsLink}, {SFGAO_READONLY, fpReadOnly}, {SFGAO_SHARE, fpShared}};
  const std::pair<SFGAOF, TShellFolderProperty> secondMap[] = {{SFGAO_FILESYSTEM, fpFileSystem},
                                                              {SFGAO_FILESYSANCESTOR, fpFileSystemAncestor},
                                                              {SFGAO_REMOVABLE, fpRemovable},
                                                              {SFGAO_VALIDATE, fpValidate}};
  for (const auto& [bit, property] : firstMap)
    if (first & bit) properties.Include(property);
  for (const auto& [bit, property] : secondMap)
    if (second & bit) properties.Include(property);
  return properties;
}

bool TShellFolder::IsShared() const { return (Attributes(SFGAO_SHARE) & SFGAO_SHARE) != 0; }

int TShellFolder::ShellImageIndex(bool large, bool open) const {
  SHFILEINFO info;
  const UINT flags = SHGFI_PIDL | SHGFI_SYSICONINDEX | (open ? SHGFI_OPENICON : 0) | (large ? 0 : SHGFI_SMALLICON);
  SHGetFileInfo(absolute_.get(), 0, &info, flags);
  return info.iIcon;
}

int TShellFolder::CompareWith(const TShellFolder& other, int column) const {
  const ComPtr<IShellFolder> parentFolder = ParentFolderInterface();
  if (!parentFolder) return 0;
  return ShortFromResult(parentFolder->CompareIDs(column, relative_.get(), other.relative_.get()));
}

bool TShellFolder::RenameTo(const std::string& newName) {
  if (!CapabilitySet().Contains(fcCanRename)) return false;
  const ComPtr<IShellFolder> parentFolder = ParentFolderInterface();
  IdList renamed;
  const HRESULT result = parentFolder->SetNameOf(nullptr, relative_.get(), WideFromBytes(newName), SHGDN_NORMAL,
                                                 &renamed);
  if (result != S_OK || !renamed) throw LumError(msg::Format(shellmsg::kRenameFailed, {newName}));
  Rebind(std::move(renamed), parentFolder.Get());
  return true;
}

void TShellFolder::RebuildFromParent() {
  if (parent_) Rebind(CopyIdList(relative_.get()), ParentFolderInterface().Get());
}

void TShellFolder::Rebind(IdList relative, IShellFolder* parentFolder) {
  IdList absolute = parent_ ? ConcatIdLists(parent_->AbsoluteID(), relative.get()) : CopyIdList(relative.get());
  relative_ = std::move(relative);
  absolute_ = std::move(absolute);
  // A folder object reads the path it was bound to: bind anew. What was
  // learned through the old path (details) is dropped too.
  if (folder_) folder_ = GetShellFolderOf(parentFolder, relative_.get(), nullptr);
  detailsResolved_ = false;
  shellDetails_.Reset();
  shellFolder2_.Reset();
  detailInterface_ = nullptr;
  details_.clear();
}

void TShellFolder::MoveTo(TShellFolder* parent) {
  parent_ = parent;
  details_.clear();
  if (!parent_) return;
  // The same folder has the same absolute list; one reached another way
  // gives the item a new one.
  const PCUIDLIST head = parent_->AbsoluteID();
  const size_t headSize = IdListSize(head) - 2;
  const bool same = IdListSize(absolute_.get()) == headSize + IdListSize(relative_.get()) &&
                    std::memcmp(IdBytes(absolute_.get()), IdBytes(head), headSize) == 0;
  if (!same) absolute_ = ConcatIdLists(head, relative_.get());
}

void TShellFolder::InvokeVerb(const std::string& verb) {
  const ComPtr<IShellFolder> parentFolder = ParentFolderInterface();
  if (!parentFolder) return;
  ComPtr<IContextMenu> menu;
  const PCUIDLIST items[1] = {relative_.get()};
  parentFolder->GetUIObjectOf(nullptr, 1, items, IID_IContextMenu, nullptr, menu.PutVoid());
  if (!menu) return;
  CMINVOKECOMMANDINFO info;
  info.fMask = CMIC_MASK_ASYNCOK;
  info.lpVerb = verb;
  info.nShow = SW_SHOWNORMAL;
  menu->InvokeCommand(info);
}

void TShellFolder::ExecuteDefault() {
  SHELLEXECUTEINFO info;
  info.fMask = SEE_MASK_INVOKEIDLIST;
  info.lpIDList = absolute_.get();
  info.nShow = SW_SHOW;
  ShellExecuteEx(&info);
}

}  // namespace lum
