#include "platform/shell/FolderEntries.h"

#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "platform/shell/PathText.h"
#include "platform/shell/WideText.h"

namespace lum::shell::detail {

std::string JoinPath(std::string_view folder, std::string_view name) {
  std::string path;
  path.reserve(folder.size() + 1 + name.size());
  path.append(folder);
  if (path.empty() || path.back() != '/') path += '/';
  path.append(name);
  return path;
}

bool ResolveEntries(const std::string& folder, PCUIDLIST list, ResolvedItem& item) {
  if (IsEmptyIdList(list)) return false;
  // One pass to check the IDs and size the path, one to build it: a fill
  // asks this for every row.
  ids::IdView view;
  size_t count = 0, length = folder.size();
  for (PCUIDLIST at = list; !IsEmptyIdList(at); at = NextId(at), ++count) {
    if (!ids::ReadFirstId(at, view) || view.kind != ids::Kind::Entry) return false;
    length += 1 + view.name.size();
  }
  std::string path;
  path.reserve(length);
  path = folder;
  size_t parentLength = path.size();
  for (PCUIDLIST at = list; !IsEmptyIdList(at); at = NextId(at)) {
    ids::ReadFirstId(at, view);
    parentLength = path.size();
    if (path.empty() || path.back() != '/') path += '/';
    path.append(view.name);
  }
  item.parent.assign(path, 0, parentLength);
  item.path = std::move(path);
  item.last = view;
  item.single = count == 1;
  return true;
}

namespace {

bool Writable(const std::string& path) { return ::access(path.c_str(), W_OK) == 0; }

// Read-only: no write permission bits at all, or none for this user (root
// can write nearly everything, but a file marked 0444 still reads as marked).
bool ReadOnly(const std::string& path) {
  struct stat status {};
  if (::stat(path.c_str(), &status) == 0 && (status.st_mode & 0222) == 0) return true;
  return !Writable(path);
}

bool IsValidNewName(std::string_view name) {
  return !name.empty() && name != "." && name != ".." && name.find('/') == std::string_view::npos &&
         name.find('\0') == std::string_view::npos;
}

// `list` with its last ID replaced by the entry ID of `name`.
IdList WithLastEntry(PCUIDLIST list, std::string_view name, uint8_t flags) {
  if (ids::kNameOffset + name.size() > 0xFFFF) return nullptr;
  size_t lastStart = 0, end = 0;
  for (PCUIDLIST at = list; !IsEmptyIdList(at); at = NextId(at)) {
    lastStart = end;
    end += ReadIdLength(IdBytes(at));
  }
  std::vector<uint8_t> builder;
  if (lastStart > 0) builder.assign(IdBytes(list), IdBytes(list) + lastStart);
  AppendEntryId(builder, name, flags);
  return FinishIdList(builder);
}

}  // namespace

SFGAOF AttributesFromId(const ids::IdView& id) {
  SFGAOF attributes = SFGAO_FILESYSTEM | SFGAO_CANCOPY | SFGAO_HASPROPSHEET;
  // Every folder is said to have sub-folders; expanding it finds out.
  if (id.IsFolder()) attributes |= SFGAO_FOLDER | SFGAO_HASSUBFOLDER | SFGAO_FILESYSANCESTOR | SFGAO_DROPTARGET;
  if (id.IsLink()) attributes |= SFGAO_LINK;
  if (!id.name.empty() && id.name[0] == '.') attributes |= SFGAO_HIDDEN;
  return attributes;
}

SFGAOF EntryAttributes(const ResolvedItem& item, SFGAOF asked) {
  if (asked == 0) asked = ~SFGAOF{0};
  SFGAOF attributes = AttributesFromId(item.last);
  if ((asked & SFGAO_READONLY) && ReadOnly(item.path)) attributes |= SFGAO_READONLY;
  if ((asked & (SFGAO_CANMOVE | SFGAO_CANDELETE | SFGAO_CANRENAME)) && Writable(item.parent))
    attributes |= SFGAO_CANMOVE | SFGAO_CANDELETE | SFGAO_CANRENAME;
  return attributes & asked;
}

SFGAOF VirtualFolderAttributes(SFGAOF asked) {
  if (asked == 0) asked = ~SFGAOF{0};
  return asked & (SFGAO_FOLDER | SFGAO_HASSUBFOLDER | SFGAO_FILESYSTEM | SFGAO_FILESYSANCESTOR |
                  SFGAO_DROPTARGET | SFGAO_HASPROPSHEET);
}

void EntryDisplayName(const ResolvedItem& item, SHGDNF flags, STRRET* name) {
  *name = STRRET{};
  if ((flags & SHGDN_FORPARSING) && !(flags & SHGDN_INFOLDER)) {
    name->uType = STRRET_CSTR;
    name->cStr = item.path;
  } else if (item.single) {
    // The name is the tail of the ID itself.
    name->uType = STRRET_OFFSET;
    name->uOffset = ids::kNameOffset;
  } else {
    name->uType = STRRET_CSTR;
    name->cStr = std::string(item.last.name);
  }
}

void AppendEntryId(std::vector<uint8_t>& builder, std::string_view name, uint8_t flags) {
  const auto length = static_cast<uint16_t>(ids::kNameOffset + name.size());
  const size_t at = builder.size();
  builder.resize(at + length);
  WriteIdLength(builder.data() + at, length);
  builder[at + 2] = ids::kMagic;
  builder[at + 3] = static_cast<uint8_t>(ids::Kind::Entry);
  builder[at + 4] = flags;
  std::memcpy(builder.data() + at + ids::kNameOffset, name.data(), name.size());
}

void AppendVirtualId(std::vector<uint8_t>& builder, ids::Kind kind) {
  const size_t at = builder.size();
  builder.resize(at + ids::kNameOffset);
  WriteIdLength(builder.data() + at, ids::kNameOffset);
  builder[at + 2] = ids::kMagic;
  builder[at + 3] = static_cast<uint8_t>(kind);
  builder[at + 4] = ids::kFolder;
}

IdList FinishIdList(const std::vector<uint8_t>& builder) {
  IdList list = AllocateIdList(builder.size() + 2);
  if (list && !builder.empty()) std::memcpy(IdBytes(list.get()), builder.data(), builder.size());
  return list;
}

HRESULT FinishParsedName(IShellFolder& folder, const std::vector<uint8_t>& builder, std::wstring_view displayName,
                         ULONG* eaten, IdList& idList, ULONG* attributes) {
  idList = FinishIdList(builder);
  if (!idList) return E_OUTOFMEMORY;
  if (eaten) *eaten = static_cast<ULONG>(displayName.size());
  if (attributes) {
    const PCUIDLIST lists[1] = {idList.get()};
    folder.GetAttributesOf(1, lists, attributes);
  }
  return S_OK;
}

namespace {

struct ParsedPart {
  std::string name;
  uint8_t flags;
  std::string path;  ///< the base followed by the parts up to this one
};

// The real path of `path`, or empty (errno set).
std::string RealPath(const std::string& path) {
  std::unique_ptr<char, decltype(&std::free)> real(::realpath(path.c_str(), nullptr), &std::free);
  return real ? std::string(real.get()) : std::string();
}

// ".." as the kernel takes it. Above a real folder it is the folder before
// it in the text, however that was reached. Above a symlink it is the
// parent of the folder the link leads to: spelled out from `base`, which
// must hold it. Above the base it is refused, except above "/" (itself).
HRESULT GoUp(const std::string& base, std::vector<ParsedPart>& parts) {
  if (parts.empty()) return base == "/" ? S_OK : E_INVALIDARG;
  if (!(parts.back().flags & ids::kLink)) {
    parts.pop_back();
    return S_OK;
  }
  const std::string target = RealPath(parts.back().path);
  if (target.empty()) return HResultFromErrno(errno);
  const std::string realBase = base == "/" ? base : RealPath(base);
  if (realBase.empty()) return HResultFromErrno(errno);
  const std::string up = ParentOf(target);
  const std::string prefix = realBase == "/" ? realBase : realBase + "/";
  if (up != realBase && up.compare(0, prefix.size(), prefix) != 0) return E_INVALIDARG;
  parts.clear();
  std::string at = base;
  // A real path holds no symlinks: every part of it is a folder.
  for (size_t from = up == realBase ? up.size() : prefix.size(); from < up.size();) {
    const size_t slash = std::min(up.find('/', from), up.size());
    const std::string name = up.substr(from, slash - from);
    at = JoinPath(at, name);
    parts.push_back({name, ids::kFolder, at});
    from = slash + 1;
  }
  return S_OK;
}

}  // namespace

HRESULT ParseEntries(const std::string& base, std::string_view path, std::vector<uint8_t>& builder) {
  // Every system call would end the path at a NUL, so that it named the
  // folder before it: such a path names nothing.
  if (path.find('\0') != std::string_view::npos) return E_INVALIDARG;
  std::vector<ParsedPart> parts;
  size_t at = 0;
  bool mustBeFolder = false;
  while (at < path.size()) {
    size_t slash = path.find('/', at);
    if (slash == std::string_view::npos) slash = path.size();
    const std::string_view part = path.substr(at, slash - at);
    at = slash + 1;
    mustBeFolder = slash < path.size();
    if (part.empty()) continue;
    // Below a file there is nothing, not even "." or "..".
    if (!parts.empty() && !(parts.back().flags & ids::kFolder)) return HResultFromErrno(ENOTDIR);
    if (part == ".") continue;
    if (part == "..") {
      const HRESULT up = GoUp(base, parts);
      if (Failed(up)) return up;
      continue;
    }
    std::string next = JoinPath(parts.empty() ? base : parts.back().path, part);
    struct stat status {};
    if (::lstat(next.c_str(), &status) != 0) return HResultFromErrno(errno);
    uint8_t flags = 0;
    if (S_ISLNK(status.st_mode)) {
      flags |= ids::kLink;
      struct stat target {};
      if (::stat(next.c_str(), &target) == 0 && S_ISDIR(target.st_mode)) flags |= ids::kFolder;
    } else if (S_ISDIR(status.st_mode)) {
      flags |= ids::kFolder;
    }
    parts.push_back({std::string(part), flags, std::move(next)});
  }
  if (mustBeFolder && !parts.empty() && !(parts.back().flags & ids::kFolder)) return HResultFromErrno(ENOTDIR);
  for (const ParsedPart& part : parts) AppendEntryId(builder, part.name, part.flags);
  return S_OK;
}

HRESULT RenameEntry(const ResolvedItem& item, PCUIDLIST list, std::wstring_view newName, IdList* newIdList) {
  const std::string name = BytesFromWide(newName);
  if (!IsValidNewName(name)) return HResultFromErrno(EINVAL);
  if (name != item.last.name) {
    const std::string target = JoinPath(item.parent, name);
    // RENAME_NOREPLACE refuses an existing target without a race; where the
    // file system cannot do that, look first.
    if (::renameat2(AT_FDCWD, item.path.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) != 0) {
      if (errno != EINVAL && errno != ENOSYS) return HResultFromErrno(errno);
      struct stat status {};
      if (::lstat(target.c_str(), &status) == 0) return HResultFromErrno(EEXIST);
      if (::rename(item.path.c_str(), target.c_str()) != 0) return HResultFromErrno(errno);
    }
  }
  if (newIdList) {
    *newIdList = WithLastEntry(list, name, item.last.flags);
    if (!*newIdList) return E_OUTOFMEMORY;
  }
  return S_OK;
}

}  // namespace lum::shell::detail
