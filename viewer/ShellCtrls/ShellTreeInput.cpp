// The tree's input: clicks, the context menu with its command hook, and
// renaming in place.
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <cerrno>
#include <utility>

#include "platform/shell/FindFile.h"
#include "platform/shell/System.h"
#include "viewer/ShellCtrls/ControlErrors.h"
#include "viewer/ShellCtrls/ControlScopes.h"
#include "viewer/ShellCtrls/InPlaceEdit.h"
#include "viewer/ShellCtrls/ShellListView.h"
#include "viewer/ShellCtrls/ShellTreeView.h"
#include "viewer/ShellCtrls/ShownNames.h"

namespace lum {

bool TCustomShellTreeView::FolderIsGone(const TShellFolder& item) {
  // A virtual folder has no path to look at; it cannot go.
  const std::string path = item.FullPath();
  if (path.empty() || path[0] != '/') return false;
  shell::WIN32_FIND_DATA data;
  const int missing = shell::FindFirstFile(path, data);
  return missing == ENOENT || missing == ENOTDIR;
}

TShellTreeNode* TCustomShellTreeView::NearestAncestorLeft(TShellTreeNode* node) {
  TShellTreeNode* left = node->Parent();
  while (left && FolderIsGone(*left->Item())) left = left->Parent();
  return left;
}

bool TCustomShellTreeView::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) {
  const bool editing = QTreeWidget::edit(index, trigger, event);
  if (editing) edited_ = index;
  return editing;
}

TShellTreeNode* TCustomShellTreeView::EditedNode() const {
  return state() == EditingState ? NodeOf(edited_) : nullptr;
}

void TCustomShellTreeView::CancelEdit() {
  if (QWidget* editor = edited_.isValid() ? indexWidget(edited_) : nullptr)
    closeEditor(editor, QAbstractItemDelegate::RevertModelCache);
}

void TCustomShellTreeView::EditorClosed() {
  if (std::exchange(reloadAfterEdit_, false)) GuardControl([this] { ReloadSelectedNode(); });
}

void TCustomShellTreeView::keyPressEvent(QKeyEvent* event) {
  // A key that the label editor passes on is the editor's alone
  // (InPlaceEdit.h): the Enter that ends the edit does nothing else, and no
  // key moves the selection, which would end the edit.
  if (state() == EditingState) {
    event->accept();
    return;
  }
  QTreeWidget::keyPressEvent(event);
}

void TCustomShellTreeView::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
  QTreeWidget::closeEditor(editor, EndOnTheSameItem(hint));
}

void TCustomShellTreeView::mousePressEvent(QMouseEvent* event) {
  // A right click never moves the selection; the menu that follows it
  // chooses the node it acts on.
  if (event->button() == Qt::RightButton) {
    setFocus(Qt::MouseFocusReason);
    event->accept();
    return;
  }
  QTreeWidget::mousePressEvent(event);
}

void TCustomShellTreeView::mouseDoubleClickEvent(QMouseEvent* event) {
  TShellTreeNode* node = event->button() == Qt::LeftButton ? NodeAt(event->pos()) : nullptr;
  const bool childless = node && node->Count() == 0 && !node->HasChildren();
  QTreeWidget::mouseDoubleClickEvent(event);
  // Qt expands only nodes with children; an item that is no folder is
  // opened by expanding it.
  if (childless) GuardControl([&] { Expand(*node); });
}

QItemSelectionModel::SelectionFlags TCustomShellTreeView::selectionCommand(const QModelIndex& index,
                                                                          const QEvent* event) const {
  // Dragging with the button held selects nothing on the way, and a node is
  // never deselected: once the tree has a selected node, it keeps one.
  if (event && event->type() == QEvent::MouseMove) return QItemSelectionModel::NoUpdate;
  const QItemSelectionModel::SelectionFlags command = QTreeWidget::selectionCommand(index, event);
  if (command & QItemSelectionModel::Deselect) return QItemSelectionModel::NoUpdate;
  return command;
}

void TCustomShellTreeView::contextMenuEvent(QContextMenuEvent* event) {
  if (!autoContextMenus_) {
    QTreeWidget::contextMenuEvent(event);
    return;
  }
  GuardControl([&] {
    QPoint at = event->pos();
    TShellTreeNode* target = nullptr;
    if (event->reason() == QContextMenuEvent::Keyboard) {
      if (TShellTreeNode* selected = Selected()) at = visualItemRect(selected).center();
    } else if (rightClickSelect_) {
      target = NodeAt(at);
    }
    ShowContextMenu(viewport()->mapTo(this, at), target);
  });
  event->accept();
}

void TCustomShellTreeView::ShowContextMenu(QPoint at, TShellTreeNode* target) {
  menus_.Run([&] {
    const QPersistentModelIndex previous =
        std::exchange(menuTarget_, target ? QPersistentModelIndex(indexFromItem(target)) : QPersistentModelIndex());
    const OnExit restore([&] {
      menuTarget_ = previous;
      viewport()->update();
    });
    viewport()->update();
    ShowShellContextMenu(this, SelectedFolderItem(), at);
  });
}

void TCustomShellTreeView::BeforeCommand(const std::string& verb, bool& handled) {
  TShellTreeNode* node = MenuTarget();
  if (SameVerb(verb, "rename")) {
    if (!node) return;
    EditLabel(*node);
    handled = true;
  } else if (SameVerb(verb, "open")) {
    savedDirectory_ = shell::GetCurrentDirectory();
    if (node) shell::SetCurrentDirectory(FolderPart(node->Item()->FullPath()));
  }
}

void TCustomShellTreeView::AfterCommand(const std::string& verb, bool succeeded) {
  // The directory comes back whatever became of the command.
  if (SameVerb(verb, "open") && !savedDirectory_.empty()) shell::SetCurrentDirectory(std::exchange(savedDirectory_, {}));
  TShellTreeNode* node = MenuTarget();
  if (!succeeded || !node) return;
  if (SameVerb(verb, "delete")) {
    // A deletion the user cancelled leaves the folder, and its node.
    if (!FolderIsGone(*node->Item())) return;
    // The list must not stay on a folder that has gone with it: the
    // deleted node's parent is selected, and the list follows. A selected
    // folder that has gone while its node lies in another branch (the same
    // folder reached another way) gives way to its nearest ancestor left.
    TShellTreeNode* selected = Selected();
    TShellTreeNode* next = nullptr;
    if (selected && LiesIn(selected, *node)) {
      next = node->Parent();
    } else if (selected && FolderIsGone(*selected->Item())) {
      next = NearestAncestorLeft(selected);
    }
    if (next) Select(next);
    DeleteNode(node);
  } else if (SameVerb(verb, "paste")) {
    ReloadNode(node);
  }
}

void TCustomShellTreeView::EditLabel(TShellTreeNode& node) { editItem(&node, 0); }

void TCustomShellTreeView::LabelEdited(TShellTreeNode& node, const QString& text) {
  // The label changes only when the item took the new name.
  if (!IsNewName(text, node.Text())) return;
  std::string name = NameBytes(text);
  if (onEdited_) onEdited_(*this, &node, name);
  if (!node.Item()->RenameTo(name)) return;
  node.SetText(name);
  // The items below held the old path in their absolute lists: each is
  // made anew from its parent, parents first.
  FindInSubtree(node, [&](TShellTreeNode& below) {
    if (&below != &node) below.Item()->RebuildFromParent();
    return false;
  });
  // The list and the watch follow a selected folder to its new place.
  if (TShellTreeNode* selected = Selected(); selected && LiesIn(selected, node)) FollowSelection(*selected);
}

}  // namespace lum
