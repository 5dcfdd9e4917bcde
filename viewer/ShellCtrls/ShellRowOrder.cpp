#include "viewer/ShellCtrls/ShellRowOrder.h"

#include <algorithm>
#include <numeric>

#include "platform/shell/SortKeys.h"

namespace lum {

using namespace shell;

namespace {

struct KeyedRow {
  ItemSortKey key;
  bool folder = false;
  size_t index = 0;
};

// Every row's key for `column`, read once. False when one cannot be read
// (rows of several folders, or of a folder that offers no keys): the rows
// are then compared as items, never some by key and some not.
bool ReadKeys(const TShellFolders& items, int column, bool withFolderFlag, std::vector<KeyedRow>& rows) {
  if (items.empty()) return true;
  const TShellFolder* parent = items.front()->Parent();
  const ComPtr<IShellFolder> folder = items.front()->ParentFolderInterface();
  rows.resize(items.size());
  for (size_t i = 0; i < items.size(); ++i) {
    const TShellFolder& item = *items[i];
    if (item.Parent() != parent || Failed(GetItemSortKey(folder.Get(), column, item.RelativeID(), rows[i].key)))
      return false;
    rows[i].folder = withFolderFlag && item.IsFolderItem();
    rows[i].index = i;
  }
  return true;
}

TRowOrder IndexesOf(const std::vector<KeyedRow>& rows) {
  TRowOrder order(rows.size());
  for (size_t i = 0; i < rows.size(); ++i) order[i] = rows[i].index;
  return order;
}

}  // namespace

int CompareListItems(const TShellFolder& a, const TShellFolder& b) {
  const int folders = (b.IsFolderItem() ? 1 : 0) - (a.IsFolderItem() ? 1 : 0);
  if (folders != 0) return folders;
  return a.CompareWith(b, 0);
}

TRowOrder ListOrder(const TShellFolders& items) {
  std::vector<KeyedRow> rows;
  if (!ReadKeys(items, 0, true, rows)) return ComparisonOrder(items, CompareListItems);
  std::sort(rows.begin(), rows.end(), [](const KeyedRow& a, const KeyedRow& b) {
    if (a.folder != b.folder) return a.folder;
    return CompareItemSortKeys(a.key, b.key) < 0;
  });
  return IndexesOf(rows);
}

TRowOrder ColumnOrder(const TShellFolders& items, int column) {
  std::vector<KeyedRow> rows;
  if (!ReadKeys(items, column, false, rows))
    return ComparisonOrder(items, [column](const TShellFolder& a, const TShellFolder& b) {
      return a.CompareWith(b, column);
    });
  std::sort(rows.begin(), rows.end(),
            [](const KeyedRow& a, const KeyedRow& b) { return CompareItemSortKeys(a.key, b.key) < 0; });
  return IndexesOf(rows);
}

TRowOrder ComparisonOrder(const TShellFolders& items, const TRowComparison& compare) {
  TRowOrder order(items.size());
  std::iota(order.begin(), order.end(), size_t{0});
  std::sort(order.begin(), order.end(), [&](size_t a, size_t b) { return compare(*items[a], *items[b]) < 0; });
  return order;
}

void ApplyOrder(TShellFolders& items, const TRowOrder& order) {
  TShellFolders sorted;
  sorted.reserve(items.size());
  for (const size_t index : order) sorted.push_back(std::move(items[index]));
  items = std::move(sorted);
}

}  // namespace lum
