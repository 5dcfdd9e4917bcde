// CompareIDs for directory entries, and its keyed form (SortKeys.h). Sorting
// by name (column 0), the order the browser sorts every fill in, reads only
// the IDs; the other columns look at the files.
#include "platform/shell/EntryOrder.h"

#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>

#include "platform/shell/FolderEntries.h"
#include "platform/shell/NameOrder.h"
#include "platform/shell/SortKeys.h"
#include "platform/shell/StrRet.h"

namespace lum::shell::detail {

namespace {

enum Column { kName = 0, kSize = 1, kType = 2, kModified = 3, kPermissions = 4 };

int Sign(long long value) { return value < 0 ? -1 : value > 0 ? 1 : 0; }

// The type a name sorts under: its extension ("" for none or a leading dot).
std::string_view Extension(std::string_view name) {
  const size_t dot = name.rfind('.');
  return dot == std::string_view::npos || dot == 0 ? std::string_view() : name.substr(dot);
}

// What the size, time and permission columns compare.
struct EntryStatus {
  bool present = false;  ///< vanished files sort last
  int64_t size = 0;
  int64_t seconds = 0;
  int64_t nanoseconds = 0;
  int64_t permissions = 0;
};

EntryStatus StatusFrom(const struct stat& status) {
  EntryStatus entry;
  entry.present = true;
  entry.size = static_cast<int64_t>(status.st_size);
  entry.seconds = static_cast<int64_t>(status.st_mtim.tv_sec);
  entry.nanoseconds = static_cast<int64_t>(status.st_mtim.tv_nsec);
  entry.permissions = static_cast<int64_t>(status.st_mode & 07777);
  return entry;
}

// A symlink that leads nowhere reports itself.
EntryStatus StatusOf(const char* path) {
  struct stat status {};
  if (::stat(path, &status) != 0 && ::lstat(path, &status) != 0) return {};
  return StatusFrom(status);
}

EntryStatus StatusAt(int folder, const char* name) {
  struct stat status {};
  if (::fstatat(folder, name, &status, 0) != 0 && ::fstatat(folder, name, &status, AT_SYMLINK_NOFOLLOW) != 0) return {};
  return StatusFrom(status);
}

// The status of folder/name, its path built in a stack buffer: sorting a
// large folder by size compares many times and should not allocate each time.
EntryStatus StatusOfEntry(const std::string& folder, std::string_view name) {
  char path[PATH_MAX];
  const bool slash = !folder.empty() && folder.back() == '/';
  const size_t length = folder.size() + (slash ? 0 : 1) + name.size();
  if (length >= sizeof path) return {};
  std::memcpy(path, folder.data(), folder.size());
  size_t at = folder.size();
  if (!slash) path[at++] = '/';
  std::memcpy(path + at, name.data(), name.size());
  path[length] = '\0';
  return StatusOf(path);
}

int CompareStatus(int column, const EntryStatus& a, const EntryStatus& b) {
  if (a.present != b.present) return a.present ? -1 : 1;
  if (!a.present) return 0;
  switch (column) {
    case kSize: return Sign(a.size - b.size);
    case kModified:
      if (a.seconds != b.seconds) return Sign(a.seconds - b.seconds);
      return Sign(a.nanoseconds - b.nanoseconds);
    case kPermissions: return Sign(a.permissions - b.permissions);
    default: return 0;
  }
}

bool LooksAtFile(int column) { return column == kSize || column == kModified || column == kPermissions; }

// Every comparison of two entries ends here: the column, then the names.
int CompareWithin(int column, std::string_view nameA, std::string_view nameB, const EntryStatus* statusA,
                  const EntryStatus* statusB) {
  int result = 0;
  if (column == kType) {
    result = CompareNames(Extension(nameA), Extension(nameB));
  } else if (LooksAtFile(column)) {
    result = CompareStatus(column, *statusA, *statusB);
  }
  return result != 0 ? result : CompareNames(nameA, nameB);
}

// The rank the desktop sorts its items by; in a folder only the last two
// occur, so folders come first there too.
int RankOf(const ids::IdView& id) {
  switch (id.kind) {
    case ids::Kind::Home: return 0;
    case ids::Kind::Computer: return 1;
    default: return id.IsFolder() ? 2 : 3;
  }
}
constexpr int kFirstEntryRank = 2;

}  // namespace

int CompareEntries(const std::string& folder, int column, const ids::IdView& a, const ids::IdView& b) {
  if (a.IsFolder() != b.IsFolder()) return a.IsFolder() ? -1 : 1;
  if (!LooksAtFile(column)) return CompareWithin(column, a.name, b.name, nullptr, nullptr);
  const EntryStatus statusA = StatusOfEntry(folder, a.name), statusB = StatusOfEntry(folder, b.name);
  return CompareWithin(column, a.name, b.name, &statusA, &statusB);
}

HRESULT CompareEntryLists(const std::string& folder, LPARAM lParam, PCUIDLIST a, PCUIDLIST b) {
  const int column = static_cast<int>(lParam & SHCIDS_COLUMNMASK);
  // Walk down while both lists name the same entries; the first difference
  // decides, compared inside the folder where the lists part. Sorting by
  // name needs no path, so nothing is allocated for it.
  const std::string* at = &folder;
  std::string deeper;
  for (;;) {
    const bool endA = IsEmptyIdList(a), endB = IsEmptyIdList(b);
    if (endA || endB) return ResultFromShort(endA == endB ? 0 : endA ? -1 : 1);
    ids::IdView va, vb;
    const bool validA = ids::ReadFirstId(a, va), validB = ids::ReadFirstId(b, vb);
    if (!validA || !validB || va.kind != ids::Kind::Entry || vb.kind != ids::Kind::Entry) return E_INVALIDARG;
    if (!ids::SameId(va, vb)) return ResultFromShort(CompareEntries(*at, column, va, vb));
    if (column != kName) {
      deeper = JoinPath(*at, va.name);
      at = &deeper;
    }
    a = NextId(a);
    b = NextId(b);
  }
}

}  // namespace lum::shell::detail

namespace lum::shell {

namespace {

// The folder that holds `idList`'s entry, as a descriptor: its path is the
// entry's path without the name.
int OpenFolderOf(IShellFolder* folder, PCUIDLIST idList, std::string_view name) {
  STRRET parsing;
  if (Failed(folder->GetDisplayNameOf(idList, SHGDN_FORPARSING, &parsing))) return -1;
  std::string path = StrRetToStr(parsing, idList);
  if (path.size() <= name.size() || path.compare(path.size() - name.size(), name.size(), name) != 0) return -1;
  path.resize(path.size() - name.size());
  return ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
}

}  // namespace

HRESULT GetItemSortKeys(IShellFolder* folder, LPARAM lParam, const PCUIDLIST* idLists, size_t count,
                        ItemSortKey* keys) {
  using namespace detail;
  if (!folder) return E_INVALIDARG;
  const auto column = static_cast<uint16_t>(lParam & SHCIDS_COLUMNMASK);
  int directory = -1;
  HRESULT result = S_OK;
  for (size_t i = 0; i < count && result == S_OK; ++i) {
    ids::IdView id;
    if (!ids::ReadFirstId(idLists[i], id) || !IsEmptyIdList(NextId(idLists[i]))) {
      result = E_INVALIDARG;
      break;
    }
    ItemSortKey& key = keys[i];
    key = ItemSortKey{};
    key.column = column;
    key.rank = static_cast<int8_t>(RankOf(id));
    key.name = id.name;
    if (key.rank < kFirstEntryRank || !LooksAtFile(column)) continue;
    // Every entry of the folder is in one directory, opened once.
    if (directory < 0 && (directory = OpenFolderOf(folder, idLists[i], id.name)) < 0) {
      result = E_INVALIDARG;
      break;
    }
    char name[NAME_MAX + 1];
    if (id.name.empty() || id.name.size() > NAME_MAX) {
      result = E_INVALIDARG;
      break;
    }
    std::memcpy(name, id.name.data(), id.name.size());
    name[id.name.size()] = '\0';
    const EntryStatus status = StatusAt(directory, name);
    key.present = status.present;
    key.primary = column == kSize ? status.size : column == kModified ? status.seconds : status.permissions;
    key.secondary = static_cast<int32_t>(status.nanoseconds);
  }
  if (directory >= 0) ::close(directory);
  return result;
}

int CompareItemSortKeys(const ItemSortKey& a, const ItemSortKey& b) {
  using namespace detail;
  if (a.rank != b.rank) return a.rank < b.rank ? -1 : 1;
  if (a.rank < kFirstEntryRank) return 0;  // one of the virtual folders
  if (!LooksAtFile(a.column)) return CompareWithin(a.column, a.name, b.name, nullptr, nullptr);
  const auto status = [](const ItemSortKey& key) {
    EntryStatus entry;
    entry.present = key.present;
    entry.size = entry.seconds = entry.permissions = key.primary;
    entry.nanoseconds = key.secondary;
    return entry;
  };
  const EntryStatus statusA = status(a), statusB = status(b);
  return CompareWithin(a.column, a.name, b.name, &statusA, &statusB);
}

}  // namespace lum::shell
