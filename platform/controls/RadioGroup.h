// TRadioGroup: a group box of radio buttons, one per item, filled column
// after column; the selected item is ItemIndex.
#pragma once

#include <QStringList>
#include <functional>
#include <vector>

#include "platform/controls/GroupBox.h"

class QRadioButton;

namespace lum::controls {

class TRadioGroup : public TGroupBox {
 public:
  explicit TRadioGroup(QWidget* parent);

  /// One radio button per item, texts used exactly as given. The selection
  /// stays where it was if that item still exists, else none is selected.
  void SetItems(const QStringList& items);
  QStringList Items() const { return items_; }

  void SetColumns(int columns);
  int Columns() const { return columns_; }

  /// The selected item, -1 for none.
  int ItemIndex() const { return itemIndex_; }
  /// Selects item `index` (clamped to -1 ... items - 1) and runs OnClick if
  /// that changes the selection. A failure in OnClick reaches the caller.
  void SetItemIndex(int index);

  /// Runs once whenever the selected item changes, whether the user picks
  /// another item (mouse, arrow keys, an accessibility client) or code sets
  /// ItemIndex or checks a button; never when the selected item is chosen
  /// again.
  std::function<void()> OnClick;

  QRadioButton* Button(int index) const { return buttons_.at(static_cast<size_t>(index)); }

  /// The width of each item's cell in a group `groupWidth` wide: the width
  /// inside the group's fixed margins, shared by the columns. The margins
  /// keep their size at any scale, so a cell does not scale with its group.
  static int CellWidth(int groupWidth, int columns);
  /// The least group width whose cells are `cellWidth` wide at least.
  static int GroupWidthForCells(int cellWidth, int columns);

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void ArrangeButtons();
  void CheckSelectedButton();

  QStringList items_;
  std::vector<QRadioButton*> buttons_;
  int columns_ = 1;
  int itemIndex_ = -1;
  bool checkingButtons_ = false;  ///< the group itself is (un)checking buttons
};

}  // namespace lum::controls
