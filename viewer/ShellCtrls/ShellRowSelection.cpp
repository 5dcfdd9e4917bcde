#include "viewer/ShellCtrls/ShellRowSelection.h"

#include <QItemSelectionModel>
#include <algorithm>

#include "viewer/ShellCtrls/ShellListModel.h"

namespace lum {

namespace {

// An item's own ID list as bytes (IdListKey): a large folder is looked
// through without a copy of each name.
std::string_view KeyOf(const TShellFolder& item) { return IdListKey(item.RelativeID()); }

}  // namespace

TSavedSelection::TSavedSelection(const ShellListModel& model, const QItemSelectionModel& selection) {
  for (const QItemSelectionRange& range : selection.selection()) {
    if (range.left() != 0) continue;
    firstSelected_ = firstSelected_ < 0 ? range.top() : std::min(firstSelected_, range.top());
    for (int row = range.top(); row <= range.bottom(); ++row)
      selectedKeys_.emplace_back(KeyOf(*model.FolderAt(row)));
  }
  for (const std::string& key : selectedKeys_) selected_.insert(key);
  const QModelIndex current = selection.currentIndex();
  if (current.isValid() && current.row() < model.RowCount()) {
    current_ = std::string(KeyOf(*model.FolderAt(current.row())));
    hasCurrent_ = true;
  }
}

void TSavedSelection::Restore(const ShellListModel& model, QItemSelectionModel& selection) const {
  const int lastColumn = model.columnCount() - 1;
  QItemSelection rows;
  int currentRow = -1;
  int runStart = -1;  // consecutive rows go into one range
  const auto closeRun = [&](int end) {
    if (runStart >= 0) rows.select(model.index(runStart, 0), model.index(end, lastColumn));
    runStart = -1;
  };
  if (!selected_.empty() || hasCurrent_) {
    for (int row = 0; row < model.RowCount(); ++row) {
      const std::string_view key = KeyOf(*model.FolderAt(row));
      if (hasCurrent_ && key == current_) currentRow = row;
      if (selected_.count(key)) {
        if (runStart < 0) runStart = row;
      } else {
        closeRun(row - 1);
      }
    }
    closeRun(model.RowCount() - 1);
  }
  if (rows.isEmpty() && firstSelected_ >= 0 && model.RowCount() > 0) {
    const int row = std::min(firstSelected_, model.RowCount() - 1);
    rows.select(model.index(row, 0), model.index(row, lastColumn));
    if (currentRow < 0) currentRow = row;
  }
  selection.select(rows, QItemSelectionModel::ClearAndSelect);
  if (currentRow >= 0) selection.setCurrentIndex(model.index(currentRow, 0), QItemSelectionModel::NoUpdate);
}

}  // namespace lum
