// The detail columns of file-system folders: headings, default state and
// each item's texts. Type texts come from the MIME database by name only;
// no file is opened.
#include "platform/shell/FolderDetails.h"

#include <sys/stat.h>

#include <cerrno>

#include <QMimeDatabase>

#include "base/Messages.h"
#include "platform/shell/DateTimeText.h"
#include "platform/shell/PermissionText.h"
#include "platform/shell/ShellTexts.h"

namespace lum::shell::detail {

namespace {

struct Column {
  const char* heading;
  int fmt;
  int cxChar;
  SHCOLSTATEF state;
};

constexpr Column kColumns[] = {
    {text::kColumnName, LVCFMT_LEFT, 25, SHCOLSTATE_TYPE_STR | SHCOLSTATE_ONBYDEFAULT},
    {text::kColumnSize, LVCFMT_RIGHT, 12, SHCOLSTATE_TYPE_INT | SHCOLSTATE_ONBYDEFAULT},
    {text::kColumnType, LVCFMT_LEFT, 16, SHCOLSTATE_TYPE_STR | SHCOLSTATE_ONBYDEFAULT},
    {text::kColumnModified, LVCFMT_LEFT, 18, SHCOLSTATE_TYPE_DATE | SHCOLSTATE_ONBYDEFAULT},
    {text::kColumnPermissions, LVCFMT_LEFT, 11, SHCOLSTATE_TYPE_STR},
};
constexpr UINT kColumnCount = sizeof kColumns / sizeof kColumns[0];

std::string FileTypeText(std::string_view name) {
  static const QMimeDatabase database;
  const QList<QMimeType> types =
      database.mimeTypesForFileName(QString::fromUtf8(name.data(), static_cast<int>(name.size())));
  if (!types.isEmpty() && !types.first().isDefault() && !types.first().comment().isEmpty())
    return types.first().comment().toStdString();
  const size_t dot = name.rfind('.');
  if (dot == std::string_view::npos || dot == 0 || dot + 1 == name.size()) return text::kTypeFile;
  return msg::Format(text::kTypeFileOfExtension,
                     {QString::fromUtf8(name.data() + dot + 1, static_cast<int>(name.size() - dot - 1))
                          .toUpper()
                          .toStdString()});
}

HRESULT ItemText(const ResolvedItem& item, UINT column, STRRET& out) {
  if (column == 0) {
    EntryDisplayName(item, SHGDN_INFOLDER, &out);
    return S_OK;
  }
  struct stat status {};
  if (::stat(item.path.c_str(), &status) != 0 && ::lstat(item.path.c_str(), &status) != 0)
    return HResultFromErrno(errno);
  out.uType = STRRET_CSTR;
  switch (column) {
    case 1:
      if (!S_ISDIR(status.st_mode)) out.cStr = std::to_string(status.st_size);
      break;
    case 2: out.cStr = TypeTextOf(item.last.name, S_ISDIR(status.st_mode)); break;
    case 3: out.cStr = FileTimeText(status.st_mtim.tv_sec); break;
    case 4: out.cStr = PermissionText(status.st_mode); break;
  }
  return S_OK;
}

}  // namespace

std::string TypeTextOf(std::string_view name, bool isFolder) {
  return isFolder ? text::kTypeFolder : FileTypeText(name);
}

HRESULT EntryDetails(const ResolvedItem* item, UINT column, SHELLDETAILS* details) {
  if (!details) return E_POINTER;
  if (column >= kColumnCount) return E_INVALIDARG;
  *details = SHELLDETAILS{};
  details->fmt = kColumns[column].fmt;
  details->cxChar = kColumns[column].cxChar;
  if (!item) {
    details->str.uType = STRRET_CSTR;
    details->str.cStr = kColumns[column].heading;
    return S_OK;
  }
  return ItemText(*item, column, details->str);
}

HRESULT EntryColumnState(UINT column, SHCOLSTATEF* state) {
  if (!state) return E_POINTER;
  if (column >= kColumnCount) return E_INVALIDARG;
  *state = kColumns[column].state;
  return S_OK;
}

}  // namespace lum::shell::detail
