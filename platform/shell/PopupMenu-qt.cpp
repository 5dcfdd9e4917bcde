#include "platform/shell/PopupMenu.h"

#include <QAction>
#include <QMenu>
#include <QWidget>

namespace lum::shell {

namespace {

MenuChooser& Chooser() {
  static MenuChooser chooser;
  return chooser;
}

UINT RunMenu(const PopupMenu& menu, int x, int y, HWND owner) {
  QMenu shown(owner);
  for (const MenuEntry& entry : menu.Entries()) {
    if (entry.IsSeparator()) {
      shown.addSeparator();
      continue;
    }
    QAction* action = shown.addAction(QString::fromUtf8(entry.text.c_str()));
    action->setData(entry.id);
    action->setEnabled(entry.IsEnabled());
    if (entry.flags & MFS_DEFAULT) {
      QFont bold = action->font();
      bold.setBold(true);
      action->setFont(bold);
    }
  }
  const QAction* chosen = shown.exec(QPoint(x, y));
  return chosen ? chosen->data().toUInt() : 0;
}

}  // namespace

void PopupMenu::InsertItem(UINT position, UINT flags, UINT id, const std::string& text) {
  MenuEntry entry{(flags & MF_SEPARATOR) ? 0 : id, (flags & MF_SEPARATOR) ? std::string() : text, flags};
  const size_t at = position < entries_.size() ? position : entries_.size();
  entries_.insert(entries_.begin() + static_cast<std::ptrdiff_t>(at), std::move(entry));
}

std::unique_ptr<PopupMenu> CreatePopupMenu() { return std::make_unique<PopupMenu>(); }

void DestroyMenu(std::unique_ptr<PopupMenu>& menu) { menu.reset(); }

UINT TrackPopupMenu(const PopupMenu& menu, UINT flags, int x, int y, int, HWND owner, const void*) {
  const UINT chosen = Chooser() ? Chooser()(menu) : RunMenu(menu, x, y, owner);
  if (flags & TPM_RETURNCMD) return chosen;
  return chosen != 0 ? 1 : 0;
}

bool ClientToScreen(HWND window, POINT* point) {
  if (!window || !point) return false;
  const QPoint global = window->mapToGlobal(QPoint(point->x, point->y));
  point->x = global.x();
  point->y = global.y();
  return true;
}

MenuChooser SetMenuChooser(MenuChooser chooser) {
  MenuChooser previous = std::move(Chooser());
  Chooser() = std::move(chooser);
  return previous;
}

}  // namespace lum::shell
