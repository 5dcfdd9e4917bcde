// Editing a name in place, in the list and in the tree. The editor is an
// edit box like any other: every key is its own, Enter takes the name, Esc
// cancels, and leaving it takes the name. Nothing else ends the edit, and
// nothing moves the selection while it is open.
#pragma once

#include <QAbstractItemDelegate>

namespace lum {

/// How an edit ends in the browser controls: Tab ends it as the editor's
/// losing the focus does, on its own row or node, instead of moving on to
/// edit the next one.
inline QAbstractItemDelegate::EndEditHint EndOnTheSameItem(QAbstractItemDelegate::EndEditHint hint) {
  const bool movesOn =
      hint == QAbstractItemDelegate::EditNextItem || hint == QAbstractItemDelegate::EditPreviousItem;
  return movesOn ? QAbstractItemDelegate::NoHint : hint;
}

}  // namespace lum
