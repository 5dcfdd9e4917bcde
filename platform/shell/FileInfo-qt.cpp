#include "platform/shell/FileInfo.h"

#include <sys/stat.h>

#include <QApplication>
#include <QFileIconProvider>
#include <QMimeDatabase>
#include <QStyle>
#include <unordered_map>
#include <vector>

#include "platform/shell/FindFile.h"
#include "platform/shell/NamespaceIds.h"

namespace lum::shell {

namespace {

// Icon keys: a few fixed ones, and MIME type names.
const char* const kDesktopIcon = "@desktop";
const char* const kHomeIcon = "@home";
const char* const kComputerIcon = "@computer";
const char* const kFolderIcon = "@folder";
const char* const kOpenFolderIcon = "@folder-open";

class IconRegistry {
 public:
  static IconRegistry& Instance() {
    static IconRegistry registry;
    return registry;
  }

  int IndexOfKey(const std::string& key) {
    const auto found = indexes_.find(key);
    if (found != indexes_.end()) return found->second;
    keys_.push_back(key);
    icons_.emplace_back();
    return indexes_[key] = static_cast<int>(keys_.size()) - 1;
  }

  // By name: cached per extension, since a folder holds many files of few types.
  int IndexOfFileName(std::string_view name) {
    const size_t dot = name.rfind('.');
    std::string extension;
    if (dot != std::string_view::npos && dot > 0) {
      extension = std::string(name.substr(dot));
      for (char& c : extension)
        if (c >= 'A' && c <= 'Z') c += 'a' - 'A';
      const auto cached = byExtension_.find(extension);
      if (cached != byExtension_.end()) return cached->second;
    }
    const QList<QMimeType> types =
        mimeDatabase_.mimeTypesForFileName(QString::fromUtf8(name.data(), static_cast<int>(name.size())));
    const std::string key = types.isEmpty() ? "application/octet-stream" : types.first().name().toStdString();
    const int index = IndexOfKey(key);
    if (!extension.empty()) byExtension_[extension] = index;
    return index;
  }

  int Count() const { return static_cast<int>(keys_.size()); }

  QIcon Icon(int index) {
    if (index < 0 || index >= Count()) return {};
    if (icons_[index].isNull()) icons_[index] = Load(keys_[index]);
    return icons_[index];
  }

 private:
  // Theme icons where the desktop has a theme; the style's own otherwise.
  QIcon Load(const std::string& key) const {
    if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return {};
    QFileIconProvider provider;
    if (key == kDesktopIcon) return QIcon::fromTheme("user-desktop", provider.icon(QAbstractFileIconProvider::Desktop));
    if (key == kHomeIcon) return QIcon::fromTheme("user-home", provider.icon(QAbstractFileIconProvider::Folder));
    if (key == kComputerIcon) return QIcon::fromTheme("computer", provider.icon(QAbstractFileIconProvider::Computer));
    if (key == kFolderIcon) return QIcon::fromTheme("folder", provider.icon(QAbstractFileIconProvider::Folder));
    if (key == kOpenFolderIcon)
      return QIcon::fromTheme("folder-open", QApplication::style()->standardIcon(QStyle::SP_DirOpenIcon));
    const QMimeType type = mimeDatabase_.mimeTypeForName(QString::fromStdString(key));
    return QIcon::fromTheme(type.iconName(),
                            QIcon::fromTheme(type.genericIconName(), provider.icon(QAbstractFileIconProvider::File)));
  }

  QMimeDatabase mimeDatabase_;
  std::vector<std::string> keys_;
  std::vector<QIcon> icons_;
  std::unordered_map<std::string, int> indexes_;
  std::unordered_map<std::string, int> byExtension_;
};

const SystemImageList& ImageList(bool large) {
  static const SystemImageList small(false), big(true);
  return large ? big : small;
}

HIMAGELIST Answer(int index, SHFILEINFO* info, UINT flags) {
  if (info) info->iIcon = index;
  return &ImageList(!(flags & SHGFI_SMALLICON));
}

}  // namespace

int SystemImageList::IconSize() const {
  if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return large_ ? 32 : 16;
  return QApplication::style()->pixelMetric(large_ ? QStyle::PM_LargeIconSize : QStyle::PM_SmallIconSize);
}

int SystemImageList::Count() const { return IconRegistry::Instance().Count(); }

QIcon SystemImageList::Icon(int index) const { return IconRegistry::Instance().Icon(index); }

HIMAGELIST SHGetFileInfo(const std::string& path, DWORD fileAttributes, SHFILEINFO* info, UINT flags) {
  if (!(flags & SHGFI_SYSICONINDEX) || (flags & SHGFI_PIDL)) return nullptr;
  IconRegistry& registry = IconRegistry::Instance();
  bool isFolder = fileAttributes & FILE_ATTRIBUTE_DIRECTORY;
  if (!(flags & SHGFI_USEFILEATTRIBUTES)) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) return nullptr;
    isFolder = S_ISDIR(status.st_mode);
  }
  if (path == "/") return Answer(registry.IndexOfKey(kComputerIcon), info, flags);
  if (isFolder) return Answer(registry.IndexOfKey((flags & SHGFI_OPENICON) ? kOpenFolderIcon : kFolderIcon), info, flags);
  const size_t slash = path.rfind('/');
  return Answer(registry.IndexOfFileName(slash == std::string::npos ? path : path.substr(slash + 1)), info, flags);
}

HIMAGELIST SHGetFileInfo(PCUIDLIST idList, DWORD, SHFILEINFO* info, UINT flags) {
  if (!(flags & SHGFI_SYSICONINDEX) || !(flags & SHGFI_PIDL) || !idList) return nullptr;
  IconRegistry& registry = IconRegistry::Instance();
  if (IsEmptyIdList(idList)) return Answer(registry.IndexOfKey(kDesktopIcon), info, flags);
  ids::IdView last;
  for (PCUIDLIST at = idList; !IsEmptyIdList(at); at = NextId(at))
    if (!ids::ReadFirstId(at, last)) return nullptr;
  switch (last.kind) {
    case ids::Kind::Home: return Answer(registry.IndexOfKey(kHomeIcon), info, flags);
    case ids::Kind::Computer: return Answer(registry.IndexOfKey(kComputerIcon), info, flags);
    case ids::Kind::Entry: break;
  }
  if (last.IsFolder())
    return Answer(registry.IndexOfKey((flags & SHGFI_OPENICON) ? kOpenFolderIcon : kFolderIcon), info, flags);
  return Answer(registry.IndexOfFileName(last.name), info, flags);
}

}  // namespace lum::shell
