// Detail interfaces and detail texts of an item.
#include <string>

#include "base/Messages.h"
#include "codec/FileNames.h"
#include "platform/shell/DateTimeText.h"
#include "platform/shell/FindFile.h"
#include "viewer/ShellCtrls/DisplayNames.h"
#include "viewer/ShellCtrls/ShellErrors.h"
#include "viewer/ShellCtrls/ShellFolder.h"
#include "viewer/ShellCtrls/ShellMessages.h"

namespace lum {

using namespace shell;

namespace {

// Each step writes into the same result; a later one runs only when the
// earlier ones gave nothing.
template <typename Interface>
void SeekOnItem(IShellFolder* folder, PCUIDLIST absolute, HWND window, bool viewObjectLast, ComPtr<Interface>& out) {
  const PCUIDLIST items[1] = {absolute};
  if (Succeeded(folder->GetUIObjectOf(window, 1, items, Interface::kIid, nullptr, out.PutVoid()))) return;
  if (viewObjectLast)
    folder->CreateViewObject(window, Interface::kIid, out.PutVoid());
  else
    folder->BindToObject(absolute, nullptr, Interface::kIid, out.PutVoid());
}

// The texts for columns 1 to `count` from the file data, for a parent that
// has no detail interface but is a file-system folder.
std::vector<std::string> FileDataTexts(const TShellFolder& item, int count) {
  WIN32_FIND_DATA data;
  if (const int error = FindFirstFile(item.FullPath(), data))
    throw EInvalidPath(msg::Format(shellmsg::kDetailsUnreadable,
                                   {item.InFolderName(), HexText(static_cast<uint32_t>(error))}));
  const bool isDirectory = data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY;
  // -1 in the date scale whose day 0 is 30 December 1899.
  const std::string noDate = LocalDateTimeText(1899, 12, 29, 0, 0, 0);
  std::vector<std::string> texts;
  for (int column = 1; column <= count; ++column) {
    switch (column) {
      case 1: texts.push_back(isDirectory ? "-1" : std::to_string(data.fileSize)); break;
      case 2: texts.push_back(ExtractFileExt(data.cFileName)); break;
      case 3: {
        const std::string when = isDirectory ? noDate : FileTimeText(data.lastWriteTime);
        texts.push_back(when.empty() ? noDate : when);
        break;
      }
      case 4: texts.push_back(std::to_string(data.dwFileAttributes)); break;
      default: texts.emplace_back(); break;
    }
  }
  return texts;
}

}  // namespace

void TShellFolder::ResolveDetailInterfaces() {
  if (detailsResolved_ || !folder_) return;
  detailsResolved_ = true;
  IShellFolder* folder = folder_.Get();
  const PCUIDLIST absolute = absolute_.get();
  const ComPtr<IShellFolder> desktop = DesktopFolder();

  if (Failed(folder->BindToObject(absolute, nullptr, IID_IShellDetails, shellDetails_.PutVoid())))
    SeekOnItem(folder, absolute, viewHandle_, true, shellDetails_);
  if (!shellDetails_) desktop->BindToObject(absolute, nullptr, IID_IShellDetails, shellDetails_.PutVoid());

  // The newer interface is sought only when the older is missing (as on any
  // shell newer than version 4).
  if (!shellDetails_) {
    if (Failed(desktop->BindToObject(absolute, nullptr, IID_IShellFolder2, shellFolder2_.PutVoid())))
      SeekOnItem(folder, absolute, viewHandle_, false, shellFolder2_);
    // The item's own folder stands in, if it really is an IShellFolder2.
    if (!shellFolder2_) folder_.As(shellFolder2_);
  }
  detailInterface_ = shellFolder2_ ? static_cast<IUnknown*>(shellFolder2_.Get())
                                   : static_cast<IUnknown*>(shellDetails_.Get());
}

IShellDetails* TShellFolder::ShellDetails() {
  ResolveDetailInterfaces();
  return shellDetails_.Get();
}

IShellFolder2* TShellFolder::ShellFolder2() {
  ResolveDetailInterfaces();
  return shellFolder2_.Get();
}

IUnknown* TShellFolder::DetailInterface() {
  ResolveDetailInterfaces();
  return detailInterface_;
}

void TShellFolder::LoadColumnDetails(TShellFolder* parentItem, HWND window, int count) {
  if (static_cast<int>(details_.size()) >= count) return;
  details_.clear();
  viewHandle_ = window;
  if (!parentItem) return;
  const PCUIDLIST own = relative_.get();
  if (IShellFolder2* folder2 = parentItem->ShellFolder2()) {
    for (int column = 1; column <= count; ++column) {
      SHELLDETAILS details;
      const bool ok = Succeeded(folder2->GetDetailsOf(own, static_cast<UINT>(column), &details));
      details_.push_back(ok ? StrRetToString(details.str, own) : std::string());
    }
  } else if (IShellDetails* older = parentItem->ShellDetails()) {
    for (int column = 1; column <= count; ++column) {
      SHELLDETAILS details;
      const bool ok = Succeeded(older->GetDetailsOf(own, static_cast<UINT>(column), &details));
      details_.push_back(ok ? StrRetToString(details.str, own) : std::string());
    }
  } else if (parentItem->PropertySet().Contains(fpFileSystem)) {
    details_ = FileDataTexts(*this, count);
  }
}

std::string TShellFolder::DetailText(int column) const {
  if (details_.empty()) throw LumError(msg::Format(shellmsg::kMissingLoadColumnDetails, {InFolderName()}));
  if (column < 1 || column > static_cast<int>(details_.size()))
    throw LumError(msg::Format(shellmsg::kListIndexOutOfBounds, {std::to_string(column - 1)}));
  return details_[static_cast<size_t>(column - 1)];
}

}  // namespace lum
