// The lines and buttons before the nodes: dotted lines join each node to its
// parent and to the siblings below it, and a boxed plus or minus marks a
// node that can be expanded or collapsed. Without ShowRoot the top-level
// nodes have neither.
#include <QPainter>

#include "viewer/ShellCtrls/ShellTreeView.h"

namespace lum {

namespace {

// Dots on every other pixel, placed by their position in the viewport, so
// that the lines of neighbouring rows join without a gap or a double dot.
void DottedVertical(QPainter& painter, int x, int top, int bottom) {
  for (int y = top + ((x + top) & 1); y < bottom; y += 2) painter.drawPoint(x, y);
}

void DottedHorizontal(QPainter& painter, int y, int left, int right) {
  for (int x = left + ((left + y) & 1); x < right; x += 2) painter.drawPoint(x, y);
}

void ExpandButton(QPainter& painter, const QPalette& palette, QPoint centre, bool expanded) {
  const QRect box(centre.x() - 4, centre.y() - 4, 9, 9);
  painter.fillRect(box, palette.color(QPalette::Base));
  painter.setPen(palette.color(QPalette::Dark));
  painter.drawRect(box.adjusted(0, 0, -1, -1));
  painter.setPen(palette.color(QPalette::Text));
  painter.drawLine(centre.x() - 2, centre.y(), centre.x() + 2, centre.y());
  if (!expanded) painter.drawLine(centre.x(), centre.y() - 2, centre.x(), centre.y() + 2);
}

}  // namespace

void TCustomShellTreeView::drawBranches(QPainter* painter, const QRect& rect, const QModelIndex& index) const {
  const int indent = indentation();
  const int columns = indent > 0 ? rect.width() / indent : 0;
  if (columns == 0 || !index.isValid()) return;
  const QAbstractItemModel& nodes = *model();
  const auto hasNextSibling = [&](const QModelIndex& at) { return at.row() + 1 < nodes.rowCount(at.parent()); };

  painter->save();
  painter->setRenderHint(QPainter::Antialiasing, false);
  painter->setPen(palette().color(QPalette::Dark));
  const int top = rect.top();
  const int bottom = rect.bottom() + 1;
  const int middle = top + rect.height() / 2;

  // The node's own column: up to the parent (or the sibling above), on to
  // the sibling below, across to the icon.
  const int own = rect.left() + (columns - 1) * indent;
  const int centre = own + indent / 2;
  const bool joinedAbove = index.parent().isValid() || index.row() > 0;
  if (joinedAbove) DottedVertical(*painter, centre, top, middle);
  if (hasNextSibling(index)) DottedVertical(*painter, centre, middle, bottom);
  DottedHorizontal(*painter, middle, centre, own + indent);

  // The columns of the ancestors: a line passes where an ancestor has a
  // sibling below it still to come.
  QModelIndex ancestor = index.parent();
  for (int column = columns - 2; column >= 0 && ancestor.isValid(); --column, ancestor = ancestor.parent()) {
    if (hasNextSibling(ancestor)) DottedVertical(*painter, rect.left() + column * indent + indent / 2, top, bottom);
  }

  if (nodes.hasChildren(index)) ExpandButton(*painter, palette(), QPoint(centre, middle), isExpanded(index));
  painter->restore();
}

}  // namespace lum
