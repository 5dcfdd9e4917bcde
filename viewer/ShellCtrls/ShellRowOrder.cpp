#include "viewer/ShellCtrls/ShellRowOrder.h"

#include <algorithm>
#include <numeric>
#include <string>

#include "platform/shell/SortKeys.h"

namespace lum {

using namespace shell;

namespace {

struct KeyedRow {
  ItemSortKey key;
  uint32_t index = 0;
  bool folder = false;
};

// Every row's key for `column`, read once, with the names copied side by
// side into `names`: comparing them then stays within one small block of
// memory instead of visiting every item's own. False when a key cannot be
// read (rows of several folders, or of a folder that offers no keys): the
// rows are then compared as items, never some by key and some not.
bool ReadKeys(const TShellFolderRefs& items, int column, bool withFolderFlag, std::vector<KeyedRow>& rows,
              std::string& names) {
  if (items.empty()) return true;
  const TShellFolder* parent = items.front()->Parent();
  std::vector<PCUIDLIST> ids(items.size());
  for (size_t i = 0; i < items.size(); ++i) {
    if (items[i]->Parent() != parent) return false;
    ids[i] = items[i]->RelativeID();
  }
  std::vector<ItemSortKey> keys(items.size());
  const ComPtr<IShellFolder> folder = items.front()->ParentFolderInterface();
  if (Failed(GetItemSortKeys(folder.Get(), column, ids.data(), ids.size(), keys.data()))) return false;
  size_t length = 0;
  for (const ItemSortKey& key : keys) length += key.name.size();
  names.reserve(length);  // no growing later, so the views stay valid
  rows.resize(items.size());
  for (size_t i = 0; i < items.size(); ++i) {
    rows[i].key = keys[i];
    rows[i].key.name = std::string_view(names.data() + names.size(), keys[i].name.size());
    names.append(keys[i].name);
    rows[i].folder = withFolderFlag && items[i]->IsFolderItem();
    rows[i].index = static_cast<uint32_t>(i);
  }
  return true;
}

TShellFolderRefs RefsOf(const TShellFolders& items) {
  TShellFolderRefs refs(items.size());
  for (size_t i = 0; i < items.size(); ++i) refs[i] = items[i].get();
  return refs;
}

TRowOrder ComparisonOrderOf(const TShellFolderRefs& items, const TRowComparison& compare) {
  TRowOrder order(items.size());
  std::iota(order.begin(), order.end(), size_t{0});
  std::sort(order.begin(), order.end(), [&](size_t a, size_t b) { return compare(*items[a], *items[b]) < 0; });
  return order;
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

TRowOrder ListOrder(const TShellFolders& items) { return ListOrder(RefsOf(items)); }

TRowOrder ListOrder(const TShellFolderRefs& refs) {
  std::vector<KeyedRow> rows;
  std::string names;
  if (!ReadKeys(refs, 0, true, rows, names)) return ComparisonOrderOf(refs, CompareListItems);
  std::sort(rows.begin(), rows.end(), [](const KeyedRow& a, const KeyedRow& b) {
    if (a.folder != b.folder) return a.folder;
    return CompareItemSortKeys(a.key, b.key) < 0;
  });
  return IndexesOf(rows);
}

TRowOrder ColumnOrder(const TShellFolders& items, int column) { return ColumnOrder(RefsOf(items), column); }

TRowOrder ColumnOrder(const TShellFolderRefs& items, int column) {
  std::vector<KeyedRow> rows;
  std::string names;
  if (!ReadKeys(items, column, false, rows, names))
    return ComparisonOrderOf(items, [column](const TShellFolder& a, const TShellFolder& b) {
      return a.CompareWith(b, column);
    });
  std::sort(rows.begin(), rows.end(),
            [](const KeyedRow& a, const KeyedRow& b) { return CompareItemSortKeys(a.key, b.key) < 0; });
  return IndexesOf(rows);
}

TRowOrder ComparisonOrder(const TShellFolders& items, const TRowComparison& compare) {
  return ComparisonOrderOf(RefsOf(items), compare);
}

void ApplyOrder(TShellFolders& items, const TRowOrder& order) {
  TShellFolders sorted;
  sorted.reserve(items.size());
  for (const size_t index : order) sorted.push_back(std::move(items[index]));
  items = std::move(sorted);
}

}  // namespace lum
