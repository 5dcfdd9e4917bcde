#include "viewer/ShellCtrls/ShellListModel.h"

#include <algorithm>

#include "base/Messages.h"
#include "viewer/ShellCtrls/ControlErrors.h"
#include "viewer/ShellCtrls/ShellErrors.h"
#include "viewer/ShellCtrls/ShellMessages.h"
#include "viewer/ShellCtrls/ShellTypeAhead.h"
#include "viewer/ShellCtrls/ShownNames.h"

namespace lum {

namespace {

Qt::Alignment AlignmentOf(int format) {
  switch (format) {
    case shell::LVCFMT_RIGHT: return Qt::AlignRight | Qt::AlignVCenter;
    case shell::LVCFMT_CENTER: return Qt::AlignHCenter | Qt::AlignVCenter;
    default: return Qt::AlignLeft | Qt::AlignVCenter;
  }
}

}  // namespace

ShellListModel::ShellListModel(QObject* parent) : QAbstractTableModel(parent) {}

ShellListModel::~ShellListModel() = default;

int ShellListModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : RowCount(); }

int ShellListModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : std::max(1, static_cast<int>(columns_.size()));
}

QVariant ShellListModel::data(const QModelIndex& index, int role) const {
  if (!checkIndex(index, CheckIndexOption::IndexIsValid)) return {};
  QVariant answer;
  GuardControl([&] { answer = DataOf(*rows_[static_cast<size_t>(index.row())], index.column(), role); });
  return answer;
}

QVariant ShellListModel::DataOf(TShellFolder& item, int column, int role) const {
  switch (role) {
    case Qt::DisplayRole: return column == 0 ? ShownName(item.InFolderName()) : DetailText(item, column);
    case Qt::EditRole: return column == 0 ? QVariant(ShownName(item.InFolderName())) : QVariant();
    case Qt::DecorationRole: {
      const shell::HIMAGELIST images = largeIcons_ ? largeImages_ : smallImages_;
      if (column != 0 || !images) return {};
      return images->Icon(item.ShellImageIndex(largeIcons_, false));
    }
    case Qt::TextAlignmentRole:
      if (column >= static_cast<int>(columns_.size())) return {};
      return QVariant::fromValue(AlignmentOf(columns_[static_cast<size_t>(column)].alignment));
    default: return {};
  }
}

QString ShellListModel::DetailText(TShellFolder& item, int column) const {
  if (failedDetails_.count(&item)) return {};
  try {
    item.LoadColumnDetails(root_, window_, columnCount());
    return ShownName(item.DetailText(column));
  } catch (...) {
    failedDetails_.insert(&item);
    throw;
  }
}

bool ShellListModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (role != Qt::EditRole || index.column() != 0 || !checkIndex(index, CheckIndexOption::IndexIsValid)) return false;
  bool renamed = false;
  GuardControl([&] { renamed = Rename(index.row(), value.toString()); });
  return renamed;
}

bool ShellListModel::Rename(int row, const QString& text) {
  TShellFolder& item = *rows_[static_cast<size_t>(row)];
  if (!IsNewName(text, item.InFolderName())) return false;
  if (!item.RenameTo(NameBytes(text))) return false;
  // The row stays where it is until the folder is read again; that read
  // must not take the rows for sorted.
  inListOrder_ = false;
  emit dataChanged(index(row, 0), index(row, columnCount() - 1));
  return true;
}

QVariant ShellListModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || section < 0 || section >= static_cast<int>(columns_.size())) return {};
  const TShellColumn& column = columns_[static_cast<size_t>(section)];
  switch (role) {
    case Qt::DisplayRole: return ShownName(column.caption);
    case Qt::TextAlignmentRole: return QVariant::fromValue(AlignmentOf(column.alignment));
    default: return {};
  }
}

Qt::ItemFlags ShellListModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  Qt::ItemFlags flags = Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemNeverHasChildren;
  if (editable_ && index.column() == 0) flags |= Qt::ItemIsEditable;
  return flags;
}

QModelIndexList ShellListModel::match(const QModelIndex& start, int role, const QVariant& value, int hits,
                                      Qt::MatchFlags flags) const {
  const int kind = static_cast<int>(flags & Qt::MatchTypeMask);
  const bool byName = role == Qt::DisplayRole && hits == 1 && start.isValid() && start.column() == 0 &&
                      (kind == Qt::MatchStartsWith || kind == Qt::MatchFixedString);
  if (!byName) return QAbstractTableModel::match(start, role, value, hits, flags);
  const int row = FindRow(value.toString(), start.row(), flags.testFlag(Qt::MatchWrap));
  if (row < 0) return {};
  return {index(row, 0)};
}

int ShellListModel::FindRow(const QString& text, int start, bool wrap) const {
  return FindRowByPrefix(RowCount(), start, wrap, text,
                         [this](int row) { return ShownName(rows_[static_cast<size_t>(row)]->InFolderName()); });
}

TShellFolder* ShellListModel::FolderAt(int row) const {
  if (row < 0 || row >= RowCount())
    throw EListError(msg::Format(shellmsg::kListIndexOutOfBounds, {std::to_string(row)}));
  return rows_[static_cast<size_t>(row)].get();
}

void ShellListModel::ForgetRows() {
  rows_.clear();
  listed_.clear();
  inListOrder_ = false;
  failedDetails_.clear();
}

void ShellListModel::Clear() {
  beginResetModel();
  ForgetRows();
  endResetModel();
}

TEarlierItems ShellListModel::TakeItems() {
  beginResetModel();
  TEarlierItems earlier{{std::move(rows_), std::move(listed_)}, inListOrder_};
  ForgetRows();
  endResetModel();
  return earlier;
}

void ShellListModel::Assign(TFolderRead read, bool inListOrder) {
  beginResetModel();
  rows_ = std::move(read.items);
  listed_ = std::move(read.listed);
  inListOrder_ = inListOrder;
  failedDetails_.clear();
  endResetModel();
}

void ShellListModel::Reorder(const TRowOrder& order) {
  if (order.size() != rows_.size()) return;
  emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
  std::vector<int> newRowOf(order.size());
  for (size_t row = 0; row < order.size(); ++row) newRowOf[order[row]] = static_cast<int>(row);
  ApplyOrder(rows_, order);
  inListOrder_ = false;
  for (size_t& row : listed_) row = static_cast<size_t>(newRowOf[row]);
  const QModelIndexList before = persistentIndexList();
  QModelIndexList after;
  after.reserve(before.size());
  for (const QModelIndex& old : before) after.append(index(newRowOf[static_cast<size_t>(old.row())], old.column()));
  changePersistentIndexList(before, after);
  emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void ShellListModel::SetColumns(std::vector<TShellColumn> columns) {
  const int before = columnCount();
  const int after = std::max(1, static_cast<int>(columns.size()));
  if (after < before) {
    beginRemoveColumns({}, after, before - 1);
    columns_ = std::move(columns);
    endRemoveColumns();
  } else if (after > before) {
    beginInsertColumns({}, before, after - 1);
    columns_ = std::move(columns);
    endInsertColumns();
  } else {
    columns_ = std::move(columns);
  }
  emit headerDataChanged(Qt::Horizontal, 0, after - 1);
  if (!rows_.empty()) emit dataChanged(index(0, 0), index(RowCount() - 1, after - 1));
}

void ShellListModel::SetDetailSource(TShellFolder* root, shell::HWND window) {
  root_ = root;
  window_ = window;
}

void ShellListModel::SetImageLists(shell::HIMAGELIST small, shell::HIMAGELIST large) {
  smallImages_ = small;
  largeImages_ = large;
}

void ShellListModel::SetLargeIcons(bool large) {
  if (large == largeIcons_) return;
  largeIcons_ = large;
  if (!rows_.empty()) emit dataChanged(index(0, 0), index(RowCount() - 1, 0), {Qt::DecorationRole});
}

}  // namespace lum
