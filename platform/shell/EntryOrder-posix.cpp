// CompareIDs for directory entries. Sorting by name (column 0), the order
// the browser sorts every fill in, reads only the IDs; the other columns
// look at the files.
#include "platform/shell/EntryOrder.h"

#include <limits.h>
#include <sys/stat.h>

#include <cstring>

#include "platform/shell/FolderEntries.h"
#include "platform/shell/NameOrder.h"

namespace lum::shell::detail {

namespace {

enum Column { kName = 0, kSize = 1, kType = 2, kModified = 3, kPermissions = 4 };

int Sign(long long value) { return value < 0 ? -1 : value > 0 ? 1 : 0; }

// The type a name sorts under: its extension ("" for none or a leading dot).
std::string_view Extension(std::string_view name) {
  const size_t dot = name.rfind('.');
  return dot == std::string_view::npos || dot == 0 ? std::string_view() : name.substr(dot);
}

// The status of folder/name, built in a stack buffer: sorting a large
// folder by size compares many times and should not allocate each time.
bool StatEntry(const std::string& folder, std::string_view name, struct stat& status) {
  char path[PATH_MAX];
  const bool slash = !folder.empty() && folder.back() == '/';
  const size_t length = folder.size() + (slash ? 0 : 1) + name.size();
  if (length >= sizeof path) return false;
  std::memcpy(path, folder.data(), folder.size());
  size_t at = folder.size();
  if (!slash) path[at++] = '/';
  std::memcpy(path + at, name.data(), name.size());
  path[length] = '\0';
  return ::stat(path, &status) == 0 || ::lstat(path, &status) == 0;
}

int CompareByStatus(const std::string& folder, int column, const ids::IdView& a, const ids::IdView& b) {
  struct stat sa {}, sb {};
  const bool hasA = StatEntry(folder, a.name, sa);
  const bool hasB = StatEntry(folder, b.name, sb);
  if (hasA != hasB) return hasA ? -1 : 1;  // vanished files last
  if (!hasA) return 0;
  switch (column) {
    case kSize: return Sign(static_cast<long long>(sa.st_size) - static_cast<long long>(sb.st_size));
    case kModified:
      if (sa.st_mtim.tv_sec != sb.st_mtim.tv_sec) return Sign(sa.st_mtim.tv_sec - sb.st_mtim.tv_sec);
      return Sign(sa.st_mtim.tv_nsec - sb.st_mtim.tv_nsec);
    case kPermissions: return Sign(static_cast<long long>(sa.st_mode & 07777) - (sb.st_mode & 07777));
    default: return 0;
  }
}

}  // namespace

int CompareEntries(const std::string& folder, int column, const ids::IdView& a, const ids::IdView& b) {
  if (a.IsFolder() != b.IsFolder()) return a.IsFolder() ? -1 : 1;
  int result = 0;
  if (column == kType) {
    result = CompareNames(Extension(a.name), Extension(b.name));
  } else if (column == kSize || column == kModified || column == kPermissions) {
    result = CompareByStatus(folder, column, a, b);
  }
  return result != 0 ? result : CompareNames(a.name, b.name);
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
