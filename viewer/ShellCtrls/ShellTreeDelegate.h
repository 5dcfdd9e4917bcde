// How a node of the folder tree is drawn and edited: its icons from the
// tree's image list, only its icon and label highlighted, a frame around
// the node whose menu is open, a tooltip for a label cut off at the edge,
// and the label editor, which hands the new text to the tree instead of
// taking it over.
#pragma once

#include <QStyledItemDelegate>

namespace lum {

class TCustomShellTreeView;

class ShellTreeDelegate : public QStyledItemDelegate {
 public:
  ShellTreeDelegate(TCustomShellTreeView& tree, QObject* parent);

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
  bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                 const QModelIndex& index) override;
  void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;

 protected:
  void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;

 private:
  /// The width of the icon and the label.
  int LabelWidth(const QStyleOptionViewItem& option, const QModelIndex& index) const;

  TCustomShellTreeView& tree_;
};

}  // namespace lum
