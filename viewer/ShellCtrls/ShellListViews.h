// The two views of the file list: a list view for the list and icon styles,
// and a tree view with a header for the report style. Both show the list's
// one model with its one selection model, and hand their input to the
// control that holds them.
#pragma once

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QListView>
#include <QMouseEvent>
#include <QStyledItemDelegate>
#include <QTreeView>
#include <algorithm>
#include <type_traits>

#include "viewer/ShellCtrls/InPlaceEdit.h"

namespace lum {

/// The input the views hand on.
class ShellViewInput {
 public:
  /// A key pressed (`editing`: a name is being edited in place, and the
  /// key comes from its editor, which left it); true when the control dealt
  /// with it or swallowed it (the view then does not see it).
  virtual bool ViewKeyDown(QKeyEvent& event, bool editing) = 0;
  /// After the view's own handling of a released key.
  virtual void ViewKeyUp(QKeyEvent& event) = 0;
  /// The view lost the keyboard: the releases of keys pressed so far go
  /// elsewhere.
  virtual void ViewFocusLost() = 0;
  /// After the view's own handling of a click (the selection is made).
  virtual void ViewClicked() = 0;
  virtual void ViewDoubleClicked() = 0;
  /// A context-menu request at `at` in `view`'s viewport; true when the
  /// control showed a menu.
  virtual bool ViewContextMenu(QAbstractItemView& view, QPoint at, bool byKeyboard) = 0;

 protected:
  ~ShellViewInput() = default;
};

template <class View>
class ShellView : public View {
 public:
  ShellView(ShellViewInput& input, QWidget* parent) : View(parent), input_(input) {}

  /// Whether a name is being edited in place.
  bool Editing() const { return this->state() == QAbstractItemView::EditingState; }

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    if (input_.ViewKeyDown(*event, Editing()))
      event->accept();
    else
      View::keyPressEvent(event);
  }
  void keyReleaseEvent(QKeyEvent* event) override {
    View::keyReleaseEvent(event);
    input_.ViewKeyUp(*event);
  }
  void focusOutEvent(QFocusEvent* event) override {
    View::focusOutEvent(event);
    input_.ViewFocusLost();
  }
  void mouseReleaseEvent(QMouseEvent* event) override {
    View::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton) input_.ViewClicked();
  }
  void mouseDoubleClickEvent(QMouseEvent* event) override {
    View::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton) input_.ViewDoubleClicked();
  }
  QModelIndex moveCursor(QAbstractItemView::CursorAction action, Qt::KeyboardModifiers modifiers) override {
    const bool page = action == QAbstractItemView::MovePageDown || action == QAbstractItemView::MovePageUp;
    if constexpr (std::is_base_of_v<QListView, View>) {
      if (page && this->isWrapping()) return MoveByPage(action == QAbstractItemView::MovePageDown);
    }
    if constexpr (std::is_base_of_v<QTreeView, View>) {
      if (page) return MoveRowsByPage(action == QAbstractItemView::MovePageDown);
    }
    return View::moveCursor(action, modifiers);
  }
  void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override {
    View::closeEditor(editor, EndOnTheSameItem(hint));
  }
  void contextMenuEvent(QContextMenuEvent* event) override {
    if (input_.ViewContextMenu(*this, event->pos(), event->reason() == QContextMenuEvent::Keyboard))
      event->accept();
    else
      View::contextMenuEvent(event);
  }

 private:
  // The items of a wrapping list lie in lines: columns when it flows from
  // top to bottom, rows when it flows from left to right. A page is the
  // lines that the viewport shows whole; Page Down goes to the same place
  // that many lines on, or to the last item when there are not that many
  // (Page Up the same backwards, to the first).
  QModelIndex MoveByPage(bool forward) const {
    const QAbstractItemModel* model = this->model();
    const QModelIndex current = this->currentIndex();
    const int rows = model ? model->rowCount(this->rootIndex()) : 0;
    if (rows == 0 || !current.isValid()) return current;
    const bool columns = this->flow() == QListView::TopToBottom;
    const auto startOf = [&](int row) {
      const QRect rect = this->rectForIndex(model->index(row, 0, this->rootIndex()));
      return columns ? rect.left() : rect.top();
    };
    const int first = startOf(0);
    int perLine = 1;
    while (perLine < rows && startOf(perLine) == first) ++perLine;
    const int extent = columns ? this->viewport()->width() : this->viewport()->height();
    const int lineSize = perLine < rows ? startOf(perLine) - first : extent;
    const int step = std::max(1, extent / std::max(1, lineSize)) * perLine;
    const int row = std::clamp(current.row() + (forward ? step : -step), 0, rows - 1);
    return model->index(row, 0, this->rootIndex());
  }

  // The report's rows: a page is the rows that the viewport shows whole,
  // up as well as down (the tree view's own Page Up goes one row further,
  // to the row cut off at the top).
  QModelIndex MoveRowsByPage(bool forward) const {
    const QModelIndex current = this->currentIndex();
    const int rows = this->model() ? this->model()->rowCount(this->rootIndex()) : 0;
    if (rows == 0 || !current.isValid()) return current;
    const int step = std::max(1, this->viewport()->height() / std::max(1, this->rowHeight(current)));
    const int row = std::clamp(current.row() + (forward ? step : -step), 0, rows - 1);
    return current.sibling(row, current.column());
  }

  ShellViewInput& input_;
};

using ShellIconView = ShellView<QListView>;

/// Gives every row of the list and icon styles one size: the views then lay
/// out a folder of many rows at once, and names are cut at one width.
class ShellItemDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  void SetItemSize(QSize size) { size_ = size; }
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    return size_.isValid() ? size_ : QStyledItemDelegate::sizeHint(option, index);
  }

 private:
  QSize size_;
};
using ShellReportView = ShellView<QTreeView>;

}  // namespace lum
