#include "platform/controls/RadioGroup.h"

#include <QEvent>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <algorithm>

#include "platform/controls/ExceptionGuard.h"
#include "platform/controls/Scaling.h"

namespace lum::controls {

namespace {

// The buttons' margins inside the group: 8 pixels on the left, 2 on the right.
constexpr int kCellsLeft = 8;
constexpr int kCellMargins = 10;

/// A radio button that the whole of its cell selects, not only its circle
/// and text.
class GroupButton : public QRadioButton {
 public:
  GroupButton(const QString& text, QWidget* parent) : QRadioButton(text, parent) {}

 protected:
  bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }
};

}  // namespace

TRadioGroup::TRadioGroup(QWidget* parent) : TGroupBox(parent) {}

void TRadioGroup::SetItems(const QStringList& items) {
  for (QRadioButton* button : buttons_) delete button;
  buttons_.clear();
  items_ = items;
  for (int i = 0; i < items.size(); ++i) {
    auto* button = new GroupButton(items[i], this);
    button->setAutoExclusive(true);
    // Checked by whatever means (mouse, keys, an accessibility client's
    // toggle, a call of setChecked): each one selects its item. Only the
    // group's own re-checking is left out.
    connect(button, &QRadioButton::toggled, this, [this, i](bool checked) {
      if (checked && !checkingButtons_) Guard([this, i] { SetItemIndex(i); });
    });
    button->setVisible(true);
    buttons_.push_back(button);
  }
  if (itemIndex_ >= items.size()) itemIndex_ = -1;
  CheckSelectedButton();
  ArrangeButtons();
}

int TRadioGroup::CellWidth(int groupWidth, int columns) { return (groupWidth - kCellMargins) / std::max(1, columns); }

int TRadioGroup::GroupWidthForCells(int cellWidth, int columns) {
  return cellWidth * std::max(1, columns) + kCellMargins;
}

void TRadioGroup::SetColumns(int columns) {
  columns_ = std::max(1, columns);
  ArrangeButtons();
}

void TRadioGroup::SetItemIndex(int index) {
  index = std::clamp(index, -1, static_cast<int>(buttons_.size()) - 1);
  if (index == itemIndex_) {
    CheckSelectedButton();
    return;
  }
  itemIndex_ = index;
  CheckSelectedButton();
  if (OnClick) OnClick();
}

void TRadioGroup::CheckSelectedButton() {
  const QScopedValueRollback<bool> checking(checkingButtons_, true);
  for (size_t i = 0; i < buttons_.size(); ++i) {
    QRadioButton* button = buttons_[i];
    const bool selected = static_cast<int>(i) == itemIndex_;
    if (button->isChecked() == selected) continue;
    // An exclusive radio button cannot be unchecked on its own.
    button->setAutoExclusive(selected);
    button->setChecked(selected);
    button->setAutoExclusive(true);
  }
}

// Items fill column after column: item i stands in column i div rows and
// row i mod rows; the rows share the height below the caption, and what
// does not divide evenly is split above the first and below the last row.
void TRadioGroup::ArrangeButtons() {
  const int count = static_cast<int>(buttons_.size());
  if (count == 0) return;
  const int textHeight = TextHeight(font());
  const int rows = (count + columns_ - 1) / columns_;
  const int buttonWidth = CellWidth(width(), columns_);
  const int free = height() - textHeight - 5;
  const int buttonHeight = free / rows;
  const int topMargin = textHeight + 1 + (free % rows) / 2;
  for (int i = 0; i < count; ++i) {
    buttons_[static_cast<size_t>(i)]->setGeometry((i / rows) * buttonWidth + kCellsLeft,
                                                  (i % rows) * buttonHeight + topMargin, buttonWidth, buttonHeight);
  }
}

void TRadioGroup::resizeEvent(QResizeEvent* event) {
  TGroupBox::resizeEvent(event);
  ArrangeButtons();
}

void TRadioGroup::changeEvent(QEvent* event) {
  TGroupBox::changeEvent(event);
  if (event->type() == QEvent::FontChange) ArrangeButtons();
}

}  // namespace lum::controls
