// The system image lists and the icon index of an item.
//
// Icons are chosen by kind and MIME type, the type found from the name
// alone (no file is read). Each distinct icon gets one index for the life of
// the process, shared by the small and the large list; views keep indexes,
// never copies of icons.
#pragma once

#include <QIcon>
#include <QPixmap>
#include <string>

#include "platform/shell/ItemIdList.h"
#include "platform/shell/ShellTypes.h"

namespace lum::shell {

/// One of the two process-wide image lists (small or large icons).
class SystemImageList {
 public:
  explicit SystemImageList(bool large) : large_(large) {}
  bool IsLarge() const { return large_; }
  /// Edge length of the icons in pixels.
  int IconSize() const;
  /// Number of indexes handed out so far.
  int Count() const;
  /// The icon at `index` (null for an index not handed out, or before the
  /// GUI application exists).
  QIcon Icon(int index) const;
  QPixmap Pixmap(int index) const { return Icon(index).pixmap(IconSize()); }

 private:
  bool large_;
};
using HIMAGELIST = const SystemImageList*;

constexpr UINT SHGFI_SMALLICON = 0x1;
constexpr UINT SHGFI_OPENICON = 0x2;
constexpr UINT SHGFI_PIDL = 0x8;
constexpr UINT SHGFI_USEFILEATTRIBUTES = 0x10;
constexpr UINT SHGFI_SYSICONINDEX = 0x4000;

struct SHFILEINFO {
  int iIcon = 0;
};

/// With SHGFI_SYSICONINDEX: the icon index of the file or folder at `path`
/// in `info` and the image list (small with SHGFI_SMALLICON) as the result;
/// null for other requests. With SHGFI_USEFILEATTRIBUTES the path is not
/// looked at: `fileAttributes` (FILE_ATTRIBUTE_DIRECTORY or not) decides.
HIMAGELIST SHGetFileInfo(const std::string& path, DWORD fileAttributes, SHFILEINFO* info, UINT flags);

/// The same for an absolute ID list (flags must include SHGFI_PIDL).
HIMAGELIST SHGetFileInfo(PCUIDLIST idList, DWORD fileAttributes, SHFILEINFO* info, UINT flags);

}  // namespace lum::shell
