// The list's input: keys, clicks, the context menu with its command hook,
// and renaming in place.
#include <utility>

#include "platform/shell/Launcher.h"
#include "platform/shell/System.h"
#include "viewer/ShellCtrls/ControlErrors.h"
#include "viewer/ShellCtrls/ShellListModel.h"
#include "viewer/ShellCtrls/ShellListView.h"

namespace lum {

bool TCustomShellListView::ViewKeyDown(QKeyEvent& event, bool editing) {
  // A key that reaches the list from the editor of a name is the editor's
  // alone (InPlaceEdit.h): the Enter that finishes a rename renames and
  // opens nothing, and no key moves the selection, which would end the edit.
  if (editing) return true;
  // Noted before it is handled: a message box it opens takes the focus, and
  // with it the key's release.
  keysDown_.Pressed(event);
  if (!autoNavigate_) return false;
  bool handled = false;
  GuardControl([&] {
    switch (event.key()) {
      case Qt::Key_Backspace:
        GoUp();
        handled = true;
        break;
      case Qt::Key_Return:
      case Qt::Key_Enter:
        if (event.modifiers() & Qt::AltModifier) {
          if (TShellFolder* item = FirstSelectedItem()) item->InvokeVerb("properties");
          handled = true;
        } else if (TShellFolder* item = FirstSelectedItem()) {
          if (item->IsFolderItem())
            OpenIdList(item->AbsoluteID());
          else
            item->ExecuteDefault();
          handled = true;
        }
        break;
      case Qt::Key_F5:
        Rescan();
        handled = true;
        break;
      default: break;
    }
  });
  return handled;
}

void TCustomShellListView::ViewKeyUp(QKeyEvent& event) {
  // A release whose press went elsewhere (the Enter that closed a message
  // box on its press) runs nothing: showing the selection again would open
  // the box again.
  if (!keysDown_.Released(event)) return;
  GuardControl([&] {
    int key = event.key();
    if (onKeyUp_) onKeyUp_(*this, key, event.modifiers());
  });
}

void TCustomShellListView::ViewFocusLost() { keysDown_.Clear(); }

void TCustomShellListView::ViewClicked() {
  GuardControl([&] {
    if (onClick_) onClick_(*this);
  });
}

void TCustomShellListView::ViewDoubleClicked() {
  GuardControl([&] {
    TShellFolder* item = autoNavigate_ ? FirstSelectedItem() : nullptr;
    if (item && item->IsFolderItem()) {
      OpenIdList(item->AbsoluteID());
    } else if (item) {
      // Opened with its default application, shown as that application
      // chooses, in the file's own folder.
      const std::string path = item->FullPath();
      shell::ShellExecute(this, nullptr, path, {}, FolderPart(path), shell::SW_SHOW);
    }
    if (onDblClick_) onDblClick_(*this);
  });
}

bool TCustomShellListView::ViewContextMenu(QAbstractItemView& view, QPoint at, bool byKeyboard) {
  if (!autoContextMenus_ || FirstSelectedRow() < 0) return false;
  if (byKeyboard) at = view.visualRect(model_->index(FirstSelectedRow(), 0)).center();
  const QPoint inControl = view.viewport()->mapTo(this, at);
  GuardControl([&] { ShowContextMenu(inControl); });
  return true;
}

void TCustomShellListView::ShowContextMenu(QPoint at) {
  TShellFolder* item = FirstSelectedItem();
  if (!item) return;
  menus_.Run([&] { ShowShellContextMenu(this, item, at); });
}

void TCustomShellListView::BeforeCommand(const std::string& verb, bool& handled) {
  if (SameVerb(verb, "rename")) {
    BeginRename();
    handled = true;
  } else if (SameVerb(verb, "open")) {
    savedDirectory_ = shell::GetCurrentDirectory();
    if (TShellFolder* item = FirstSelectedItem()) shell::SetCurrentDirectory(FolderPart(item->FullPath()));
  }
}

void TCustomShellListView::AfterCommand(const std::string& verb, bool succeeded) {
  // The directory comes back whatever became of the command.
  if (SameVerb(verb, "open") && !savedDirectory_.empty()) shell::SetCurrentDirectory(std::exchange(savedDirectory_, {}));
  if (succeeded && (SameVerb(verb, "delete") || SameVerb(verb, "paste"))) Rescan();
}

void TCustomShellListView::BeginRename() {
  const int row = FirstSelectedRow();
  if (row < 0) return;
  const QModelIndex name = model_->index(row, 0);
  selection_->setCurrentIndex(name, QItemSelectionModel::NoUpdate);
  CurrentView()->edit(name);
}

}  // namespace lum
