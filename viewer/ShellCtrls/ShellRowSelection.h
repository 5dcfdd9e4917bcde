// The selection of a list kept across a new fill: the selected and the
// current items, found again by their own ID lists.
#pragma once

#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

class QItemSelectionModel;

namespace lum {

class ShellListModel;

class TSavedSelection {
 public:
  /// Notes the selected and current items of `model`'s rows.
  TSavedSelection(const ShellListModel& model, const QItemSelectionModel& selection);
  // A copy's views would point into the keys of the one copied; a move
  // keeps the keys where they are.
  TSavedSelection(const TSavedSelection&) = delete;
  TSavedSelection& operator=(const TSavedSelection&) = delete;
  TSavedSelection(TSavedSelection&&) = default;
  TSavedSelection& operator=(TSavedSelection&&) = default;

  /// Selects every noted item that is a row of `model` now, and makes the
  /// noted current item current again. When none of the selected items is
  /// left, the row at the old first selected position is selected (the last
  /// row when there are fewer rows now).
  void Restore(const ShellListModel& model, QItemSelectionModel& selection) const;

 private:
  std::vector<std::string> selectedKeys_;
  std::unordered_set<std::string_view> selected_;  ///< views of selectedKeys_
  std::string current_;
  bool hasCurrent_ = false;
  int firstSelected_ = -1;
};

}  // namespace lum
