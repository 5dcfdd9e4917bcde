// The rows of the file list as a Qt model. It owns the items of the rows and
// nothing else per row: a row's name, icon and detail texts are asked of its
// item only when a view asks for that row.
#pragma once

#include <QAbstractTableModel>
#include <string>
#include <unordered_set>
#include <vector>

#include "platform/shell/FileInfo.h"
#include "viewer/ShellCtrls/ShellColumns.h"
#include "viewer/ShellCtrls/ShellListFill.h"
#include "viewer/ShellCtrls/ShellRowOrder.h"

namespace lum {

class ShellListModel : public QAbstractTableModel {
 public:
  explicit ShellListModel(QObject* parent = nullptr);
  ~ShellListModel() override;

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  /// The report columns; one (the name) before any are set.
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  /// A new name for a row (column 0, EditRole): see Rename.
  bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  /// The views' type-ahead (a starts-with or fixed-string search for one
  /// row by name) is FindRow; other searches are Qt's.
  QModelIndexList match(const QModelIndex& start, int role, const QVariant& value, int hits = 1,
                        Qt::MatchFlags flags = Qt::MatchFlags(Qt::MatchStartsWith | Qt::MatchWrap)) const override;

  int RowCount() const { return static_cast<int>(rows_.size()); }
  /// The item of `row`; raises EListError for a row that does not exist.
  TShellFolder* FolderAt(int row) const;
  const TShellFolders& Items() const { return rows_; }

  /// The type-ahead search (ShellTypeAhead.h) over the rows' names.
  int FindRow(const QString& text, int start, bool wrap) const;

  /// Destroys every row's item; no rows.
  void Clear();
  /// No rows; their items go to the caller, in row order, with the order
  /// their folder listed them in and whether the rows are in the list order.
  TEarlierItems TakeItems();
  /// The rows become `read`'s items, with their listing order (a read's
  /// `listed` has a place for every item); `inListOrder` when they are in
  /// the list order (ListOrder).
  void Assign(TFolderRead read, bool inListOrder);
  /// Puts the rows in `order`; selected and current rows (and every other
  /// persistent index) stay with their items.
  void Reorder(const TRowOrder& order);

  /// The report columns.
  void SetColumns(std::vector<TShellColumn> columns);
  const std::vector<TShellColumn>& Columns() const { return columns_; }
  /// Where detail texts come from: the folder shown and the list's window.
  void SetDetailSource(TShellFolder* root, shell::HWND window);
  /// The system image lists, and which of them the rows' icons come from.
  void SetImageLists(shell::HIMAGELIST small, shell::HIMAGELIST large);
  void SetLargeIcons(bool large);
  /// Whether names can be edited in place.
  void SetEditable(bool editable) { editable_ = editable; }

 private:
  /// No rows, no listing order, no failed details; inside a model reset.
  void ForgetRows();
  QVariant DataOf(TShellFolder& item, int column, int role) const;
  QString DetailText(TShellFolder& item, int column) const;
  /// Renames the item of `row` when `text` differs from the name as shown;
  /// raises when the shell refuses.
  bool Rename(int row, const QString& text);

  TShellFolders rows_;
  std::vector<size_t> listed_;  ///< the rows in the order the folder listed them (TFolderRead)
  /// The rows are in the list order: neither sorted by a column nor renamed
  /// since they were read.
  bool inListOrder_ = false;
  std::vector<TShellColumn> columns_;
  TShellFolder* root_ = nullptr;
  shell::HWND window_ = nullptr;
  shell::HIMAGELIST smallImages_ = nullptr;
  shell::HIMAGELIST largeImages_ = nullptr;
  bool largeIcons_ = false;
  bool editable_ = true;
  /// Rows whose detail texts could not be read: reported once, then shown
  /// empty until the next fill, instead of failing at every repaint.
  mutable std::unordered_set<const TShellFolder*> failedDetails_;
};

}  // namespace lum
