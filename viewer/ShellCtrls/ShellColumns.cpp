#include "viewer/ShellCtrls/ShellColumns.h"

#include <QString>

#include "viewer/ShellCtrls/DisplayNames.h"
#include "viewer/ShellCtrls/ShellMessages.h"

namespace lum {

using namespace shell;

namespace {

constexpr SHCOLSTATEF kTypeMask = 0xF;

class ColumnCollector {
 public:
  /// Adds the column of `details`; false when its title was seen already.
  bool Add(const SHELLDETAILS& details, bool holdsDates = false) {
    const std::string title = StrRetToString(details.str, nullptr);
    if (title.empty()) return true;
    const QString shown = QString::fromStdString(title);
    for (const QString& seen : seen_)
      if (seen.compare(shown, Qt::CaseInsensitive) == 0) return false;
    seen_.push_back(shown);
    const int alignment =
        details.fmt == LVCFMT_RIGHT || details.fmt == LVCFMT_CENTER ? details.fmt : LVCFMT_LEFT;
    columns_.push_back({title, alignment, details.cxChar, holdsDates});
    return true;
  }
  std::vector<TShellColumn> Take() { return std::move(columns_); }

 private:
  std::vector<QString> seen_;
  std::vector<TShellColumn> columns_;
};

}  // namespace

std::vector<TShellColumn> ShellColumnsFor(TShellFolder& root, HWND window) {
  if (!root.ShellFolder()) return {};
  root.SetViewHandle(window);
  ColumnCollector collector;
  if (IShellFolder2* folder2 = root.ShellFolder2()) {
    bool metDefault = false;
    for (UINT column = 0;; ++column) {
      SHELLDETAILS details;
      if (Failed(folder2->GetDetailsOf(nullptr, column, &details))) break;
      SHCOLSTATEF state = 0;
      folder2->GetDefaultColumnState(column, &state);
      const bool onByDefault = state & SHCOLSTATE_ONBYDEFAULT;
      if (metDefault && !onByDefault) break;
      metDefault = metDefault || onByDefault;
      collector.Add(details, (state & kTypeMask) == SHCOLSTATE_TYPE_DATE);
    }
  } else if (IShellDetails* older = root.ShellDetails()) {
    for (UINT column = 0;; ++column) {
      SHELLDETAILS details;
      if (Failed(older->GetDetailsOf(nullptr, column, &details))) break;
      if (!collector.Add(details)) break;
    }
  } else {
    std::vector<TShellColumn> defaults = {{shellmsg::kColumnName, LVCFMT_LEFT, 25}};
    if (root.PropertySet().Contains(fpFileSystem)) {
      defaults.push_back({shellmsg::kColumnSize, LVCFMT_RIGHT, 10});
      defaults.push_back({shellmsg::kColumnType, LVCFMT_LEFT, 10});
      defaults.push_back({shellmsg::kColumnModified, LVCFMT_LEFT, 14, true});
    }
    return defaults;
  }
  return collector.Take();
}

}  // namespace lum
