#include "viewer/ShellCtrls/ShellListFill.h"

#include <algorithm>
#include <iterator>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "viewer/ShellCtrls/DisplayNames.h"

namespace lum {

using namespace shell;

namespace {

constexpr size_t kNew = static_cast<size_t>(-1);

// Hands `each` every ID list of the folder's enumeration, to keep if it
// wants; false when the folder cannot be enumerated.
template <class Each>
bool ForEachEntry(TShellFolder& root, SHCONTF flags, HWND window, const Each& each) {
  IShellFolder* folder = root.ShellFolder();
  ComPtr<IEnumIDList> enumerator;
  if (!folder || folder->EnumObjects(window, flags, enumerator) != S_OK || !enumerator) return false;
  IdList id;
  ULONG fetched = 0;
  while (enumerator->Next(1, &id, &fetched) == S_OK) each(id);
  return true;
}

// The order of `items` when the new ones (`fresh`, sorted by ListOrder) are
// put in among the kept ones (`kept`, in the list order already), each
// after the last kept item that does not sort after it.
TRowOrder MergeIntoOrder(const TShellFolders& items, const std::vector<size_t>& kept,
                         const std::vector<size_t>& fresh) {
  TShellFolderRefs freshItems(fresh.size());
  for (size_t i = 0; i < fresh.size(); ++i) freshItems[i] = items[fresh[i]].get();
  TRowOrder order;
  order.reserve(items.size());
  auto from = kept.begin();
  for (const size_t f : ListOrder(freshItems)) {
    const size_t index = fresh[f];
    const auto at = std::upper_bound(from, kept.end(), index, [&](size_t a, size_t b) {
      return CompareListItems(*items[a], *items[b]) < 0;
    });
    order.insert(order.end(), from, at);
    order.push_back(index);
    from = at;
  }
  order.insert(order.end(), from, kept.end());
  return order;
}

}  // namespace

TShellFolders EnumerateFolderItems(TShellFolder& root, SHCONTF flags, HWND window, const TAddItemFilter& filter) {
  TShellFolders items;
  IShellFolder* folder = root.ShellFolder();
  ForEachEntry(root, flags, window, [&](const IdList& id) {
    auto item = std::make_unique<TShellFolder>(&root, id.get(), GetShellFolderOf(folder, id.get(), nullptr));
    if (!filter || filter(*item)) items.push_back(std::move(item));
  });
  return items;
}

TFolderRead ReadFolderItems(TShellFolder& root, SHCONTF flags, HWND window, const TAddItemFilter& filter, bool sorted,
                            TEarlierItems earlier) {
  TShellFolders& before = earlier.read.items;
  const std::vector<size_t>& listedBefore = earlier.read.listed;

  // The entries as listed: each the earlier item it is (its place), or its
  // ID list. The earlier item listed next, or the one after it (the next
  // was removed), is the one tried.
  struct Entry {
    size_t place = kNew;
    IdList id;
  };
  std::vector<Entry> entries;
  std::vector<bool> matched(before.size());
  size_t next = 0;
  ForEachEntry(root, flags, window, [&](IdList& id) {
    Entry entry;
    const std::string_view key = IdListKey(id.get());
    for (size_t ahead = 0; ahead < 2 && next + ahead < listedBefore.size(); ++ahead) {
      const size_t place = listedBefore[next + ahead];
      if (matched[place] || IdListKey(before[place]->RelativeID()) != key) continue;
      entry.place = place;
      matched[place] = true;
      next += ahead + 1;
      break;
    }
    if (entry.place == kNew) entry.id = std::move(id);
    entries.push_back(std::move(entry));
  });

  // The others are new, or were listed out of turn: those are found among
  // the earlier items not matched yet, which are few as a rule.
  std::unordered_map<std::string_view, size_t> unmatched;
  const bool outOfTurn = std::any_of(entries.begin(), entries.end(), [](const Entry& entry) { return entry.id != nullptr; });
  for (size_t place = 0; outOfTurn && place < before.size(); ++place)
    if (!matched[place]) unmatched.emplace(IdListKey(before[place]->RelativeID()), place);

  // The items, each asked of the filter, in the order listed.
  TFolderRead read;
  std::vector<size_t> places;
  IShellFolder* folder = root.ShellFolder();
  for (Entry& entry : entries) {
    size_t place = entry.place;
    if (place == kNew) {
      const auto found = unmatched.find(IdListKey(entry.id.get()));
      if (found != unmatched.end()) {
        place = found->second;
        unmatched.erase(found);
      }
    }
    std::unique_ptr<TShellFolder> item;
    if (place != kNew) {
      item = std::move(before[place]);
      item->MoveTo(&root);
    } else {
      item = std::make_unique<TShellFolder>(&root, entry.id.get(), GetShellFolderOf(folder, entry.id.get(), nullptr));
    }
    entry.id.reset();
    if (filter && !filter(*item)) continue;
    read.items.push_back(std::move(item));
    places.push_back(place);
  }

  TRowOrder order;
  if (sorted) {
    std::vector<size_t> keptByPlace(before.size(), kNew);
    std::vector<size_t> fresh;
    for (size_t i = 0; i < places.size(); ++i) {
      if (places[i] == kNew)
        fresh.push_back(i);
      else
        keptByPlace[places[i]] = i;
    }
    // Each new item costs a few comparisons of its own to put in; many new
    // ones are sorted with the rest at once.
    const size_t keptCount = read.items.size() - fresh.size();
    if (earlier.inListOrder && fresh.size() * 32 <= keptCount) {
      std::vector<size_t> kept;
      kept.reserve(keptCount);
      for (const size_t index : keptByPlace)
        if (index != kNew) kept.push_back(index);
      order = MergeIntoOrder(read.items, kept, fresh);
    } else {
      order = ListOrder(read.items);
    }
  }
  read.listed.resize(read.items.size());
  if (order.empty()) {
    for (size_t i = 0; i < read.listed.size(); ++i) read.listed[i] = i;
  } else {
    for (size_t row = 0; row < order.size(); ++row) read.listed[order[row]] = row;
    ApplyOrder(read.items, order);
  }
  return read;
}

}  // namespace lum
