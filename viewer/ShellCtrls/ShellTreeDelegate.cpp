#include "viewer/ShellCtrls/ShellTreeDelegate.h"

#include <QApplication>
#include <QHelpEvent>
#include <QLineEdit>
#include <QPainter>
#include <QToolTip>
#include <algorithm>

#include "platform/controls/PlainText.h"
#include "viewer/ShellCtrls/ControlErrors.h"
#include "viewer/ShellCtrls/ShellTreeView.h"

namespace lum {

ShellTreeDelegate::ShellTreeDelegate(TCustomShellTreeView& tree, QObject* parent)
    : QStyledItemDelegate(parent), tree_(tree) {}

void ShellTreeDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const {
  QStyledItemDelegate::initStyleOption(option, index);
  TShellTreeNode* node = tree_.NodeOf(index);
  if (!node) return;
  GuardControl([&] { option->icon = tree_.NodeIcon(*node); });
  if (!option->icon.isNull()) {
    option->features |= QStyleOptionViewItem::HasDecoration;
    option->decorationSize = tree_.iconSize();
  }
}

int ShellTreeDelegate::LabelWidth(const QStyleOptionViewItem& option, const QModelIndex& index) const {
  return QStyledItemDelegate::sizeHint(option, index).width();
}

void ShellTreeDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
  QStyleOptionViewItem label = option;
  initStyleOption(&label, index);
  // The highlight covers the icon and the label, not the rest of the row.
  label.rect.setWidth(std::min(label.rect.width(), LabelWidth(option, index)));
  const QWidget* widget = option.widget;
  QStyle* style = widget ? widget->style() : QApplication::style();
  style->drawControl(QStyle::CE_ItemViewItem, &label, painter, widget);
  if (index == tree_.menuTarget_) {
    painter->save();
    painter->setPen(option.palette.color(QPalette::Active, QPalette::Highlight));
    painter->drawRect(label.rect.adjusted(0, 0, -1, -1));
    painter->restore();
  }
}

bool ShellTreeDelegate::helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                                  const QModelIndex& index) {
  if (!event || event->type() != QEvent::ToolTip || !view || !index.isValid())
    return QStyledItemDelegate::helpEvent(event, view, option, index);
  // Only a label that the edge of the tree cuts off gets a tooltip: it
  // shows the whole label.
  const QRect visible = view->viewport()->rect();
  const QRect label(option.rect.topLeft(), QSize(LabelWidth(option, index), option.rect.height()));
  if (label.left() >= visible.left() && label.right() <= visible.right()) {
    QToolTip::hideText();
    return true;
  }
  controls::ShowPlainToolTip(event->globalPos(), index.data(Qt::DisplayRole).toString(), view->viewport(),
                             option.rect);
  return true;
}

void ShellTreeDelegate::setModelData(QWidget* editor, QAbstractItemModel*, const QModelIndex& index) const {
  const auto* line = qobject_cast<QLineEdit*>(editor);
  TShellTreeNode* node = tree_.NodeOf(index);
  if (!line || !node) return;
  const QString text = line->text();
  GuardControl([&] { tree_.LabelEdited(*node, text); });
}

}  // namespace lum
