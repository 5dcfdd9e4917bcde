// CompareIDs for directory entries, and its keyed form (SortKeys.h). Sorting
// by name (column 0), the order the browser sorts every fill in, reads only
// the IDs; the other columns look at the files.
#include "platform/shell/EntryOrder.h"

#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <string_view>
#include <system_error>
#include <thread>
#include <vector>

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

// The status of `path` in `folder` (AT_FDCWD for a path of its own) without
// statx. A symlink that leads nowhere reports itself.
EntryStatus StatusAtWithoutStatx(int folder, const char* path) {
  struct stat status {};
  if (::fstatat(folder, path, &status, 0) != 0 && ::fstatat(folder, path, &status, AT_SYMLINK_NOFOLLOW) != 0)
    return {};
  return StatusFrom(status);
}

// Set once statx has been refused (a container whose seccomp filter
// predates it answers ENOSYS or EPERM): the older call reads the same
// fields, and a sort of many files asks it straight away.
std::atomic<bool> statxRefused{false};

// The status of one entry of `folder` for `column`, asking the file system
// for that field alone. `name` need not end in a zero.
EntryStatus StatusAt(int folder, std::string_view name, int column) {
  char path[NAME_MAX + 1];
  if (name.size() > NAME_MAX) return {};
  std::memcpy(path, name.data(), name.size());
  path[name.size()] = '\0';
  const unsigned int mask = column == kSize ? STATX_SIZE : column == kModified ? STATX_MTIME : STATX_MODE;
  if (statxRefused.load(std::memory_order_relaxed)) return StatusAtWithoutStatx(folder, path);
  struct statx status {};
  if (::statx(folder, path, AT_STATX_DONT_SYNC, mask, &status) != 0) {
    if (errno == ENOSYS || errno == EPERM) {
      statxRefused.store(true, std::memory_order_relaxed);
      return StatusAtWithoutStatx(folder, path);
    }
    if (::statx(folder, path, AT_STATX_DONT_SYNC | AT_SYMLINK_NOFOLLOW, mask, &status) != 0) return {};
  }
  EntryStatus entry;
  entry.present = true;
  entry.size = static_cast<int64_t>(status.stx_size);
  entry.seconds = static_cast<int64_t>(status.stx_mtime.tv_sec);
  entry.nanoseconds = static_cast<int64_t>(status.stx_mtime.tv_nsec);
  entry.permissions = static_cast<int64_t>(status.stx_mode & 07777);
  return entry;
}

// Below this many files a second thread costs more than it saves.
constexpr size_t kLooksWorthAThread = 2048;

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
  return StatusAtWithoutStatx(AT_FDCWD, path);
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
  std::vector<size_t> looked;  // the keys that need a look at their file
  if (LooksAtFile(column)) looked.reserve(count);
  for (size_t i = 0; i < count; ++i) {
    ids::IdView id;
    if (!ids::ReadFirstId(idLists[i], id) || !IsEmptyIdList(NextId(idLists[i]))) return E_INVALIDARG;
    ItemSortKey& key = keys[i];
    key = ItemSortKey{};
    key.column = column;
    key.rank = static_cast<int8_t>(RankOf(id));
    key.name = id.name;
    if (key.rank < kFirstEntryRank || !LooksAtFile(column)) continue;
    if (id.name.empty() || id.name.size() > NAME_MAX) return E_INVALIDARG;
    looked.push_back(i);
  }
  if (looked.empty()) return S_OK;
  // Every entry of the folder is in one directory, opened once.
  const int directory = OpenFolderOf(folder, idLists[looked.front()], keys[looked.front()].name);
  if (directory < 0) return E_INVALIDARG;
  // The looks are most of a sort by size or time: with two cores or more,
  // two threads share them.
  const auto lookAt = [&](size_t from, size_t to) {
    for (size_t at = from; at < to; ++at) {
      ItemSortKey& key = keys[looked[at]];
      const EntryStatus status = StatusAt(directory, key.name, column);
      key.present = status.present;
      key.primary = column == kSize ? status.size : column == kModified ? status.seconds : status.permissions;
      key.secondary = static_cast<int32_t>(status.nanoseconds);
    }
  };
  const size_t half = looked.size() / 2;
  std::thread second;
  if (looked.size() >= kLooksWorthAThread && std::thread::hardware_concurrency() >= 2) {
    try {
      second = std::thread(lookAt, half, looked.size());
    } catch (const std::system_error&) {
      // No thread to be had: this one looks at them all.
    }
  }
  lookAt(0, second.joinable() ? half : looked.size());
  if (second.joinable()) second.join();
  ::close(directory);
  return S_OK;
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
