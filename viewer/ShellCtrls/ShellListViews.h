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

namespace lum {

/// The input the views hand on.
class ShellViewInput {
 public:
  /// A key pressed (`editing`: a name is being edited in place); true
  /// when the control dealt with it (the view then does not).
  virtual bool ViewKeyDown(QKeyEvent& event, bool editing) = 0;
  /// After the view's own handling of a released key.
  virtual void ViewKeyUp(QKeyEvent& event) = 0;
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

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    if (input_.ViewKeyDown(*event, this->state() == QAbstractItemView::EditingState))
      event->accept();
    else
      View::keyPressEvent(event);
  }
  void keyReleaseEvent(QKeyEvent* event) override {
    View::keyReleaseEvent(event);
    input_.ViewKeyUp(*event);
  }
  void mouseReleaseEvent(QMouseEvent* event) override {
    View::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton) input_.ViewClicked();
  }
  void mouseDoubleClickEvent(QMouseEvent* event) override {
    View::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton) input_.ViewDoubleClicked();
  }
  void contextMenuEvent(QContextMenuEvent* event) override {
    if (input_.ViewContextMenu(*this, event->pos(), event->reason() == QContextMenuEvent::Keyboard))
      event->accept();
    else
      View::contextMenuEvent(event);
  }

 private:
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
