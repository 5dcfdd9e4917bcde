#include "viewer/ShellCtrls/IdLists.h"

#include <cstring>

#include "platform/shell/DesktopFolder.h"
#include "viewer/ShellCtrls/ShellErrors.h"

namespace lum {

namespace {

// A zero-filled block; the zeros past the copied bytes are the terminator.
IdList Allocate(size_t size) {
  shell::ComPtr<shell::IMalloc> allocator;
  OleCheck(shell::SHGetMalloc(allocator));
  IdList list(static_cast<ITEMIDLIST*>(allocator->Alloc(size)));
  if (!list) throw EOleSysError(shell::E_OUTOFMEMORY);
  return list;
}

uint8_t* Bytes(ITEMIDLIST* list) { return shell::IdBytes(list); }
const uint8_t* Bytes(PCUIDLIST list) { return shell::IdBytes(list); }

}  // namespace

size_t IdListSize(PCUIDLIST list) { return shell::IdListByteSize(list); }

size_t IdListCount(PCUIDLIST list) {
  size_t count = 0;
  for (; !shell::IsEmptyIdList(list); list = shell::NextId(list)) ++count;
  return count;
}

IdList CopyIdList(PCUIDLIST list) {
  if (!list) return nullptr;
  const size_t size = IdListSize(list);
  IdList copy = Allocate(size);
  std::memcpy(Bytes(copy.get()), Bytes(list), size);
  return copy;
}

IdList ConcatIdLists(PCUIDLIST a, PCUIDLIST b) {
  if (!a) return CopyIdList(b);
  const size_t headSize = IdListSize(a) - 2;
  const size_t tailSize = b ? IdListSize(b) : 2;
  IdList joined = Allocate(headSize + tailSize);
  std::memcpy(Bytes(joined.get()), Bytes(a), headSize);
  if (b) std::memcpy(Bytes(joined.get()) + headSize, Bytes(b), tailSize);
  return joined;
}

IdList LastIdOf(PCUIDLIST list) {
  if (!list) return nullptr;
  PCUIDLIST last = list;
  for (PCUIDLIST at = list; !shell::IsEmptyIdList(at); at = shell::NextId(at)) last = at;
  if (shell::IsEmptyIdList(last)) return Allocate(2);
  const size_t length = shell::ReadIdLength(Bytes(last));
  IdList copy = Allocate(length + 2);
  std::memcpy(Bytes(copy.get()), Bytes(last), length);
  return copy;
}

void StripLastId(ITEMIDLIST* list) {
  if (shell::IsEmptyIdList(list)) return;
  uint8_t* last = Bytes(list);
  for (uint8_t* at = last; shell::ReadIdLength(at) != 0; at += shell::ReadIdLength(at)) last = at;
  shell::WriteIdLength(last, 0);
}

std::vector<IdList> AncestorChain(PCUIDLIST absolute) {
  std::vector<IdList> chain;
  const size_t count = IdListCount(absolute);
  // The ancestor at depth d is the first d IDs and a terminator.
  size_t prefix = 0;
  PCUIDLIST at = absolute;
  for (size_t depth = 0; depth < count; ++depth) {
    IdList ancestor = Allocate(prefix + 2);
    if (prefix) std::memcpy(Bytes(ancestor.get()), Bytes(absolute), prefix);
    chain.push_back(std::move(ancestor));
    prefix += shell::ReadIdLength(Bytes(at));
    at = shell::NextId(at);
  }
  return chain;
}

bool SameItem(PCUIDLIST a, PCUIDLIST b) {
  shell::ComPtr<shell::IShellFolder> desktop;
  OleCheck(shell::SHGetDesktopFolder(desktop));
  return desktop->CompareIDs(0, a, b) == shell::S_OK;
}

}  // namespace lum
