// Item ID lists: the shell's names of items.
//
// An ID list is a run of item IDs, each starting with an unsigned 16-bit
// length (host byte order) that counts its own two bytes, ended by a 16-bit
// zero:
//
//   +------+-----------+------+-----------+------+
//   | cb=n | n-2 bytes | cb=m | m-2 bytes | 0000 |
//   +------+-----------+------+-----------+------+
//
// A relative list names an item inside a folder; an absolute one is relative
// to the desktop, whose own absolute list is the terminator alone. The bytes
// of an ID belong to the folder that made it. Lists live in blocks of the
// task allocator and are read only through the helpers here (never as a
// struct, so odd addresses and unaligned lengths are fine).
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>

#include "platform/shell/TaskAllocator.h"

namespace lum::shell {

/// Opaque: an ID list is handled as `const ITEMIDLIST*` and read as bytes.
struct ITEMIDLIST;
using PCUIDLIST = const ITEMIDLIST*;

inline const uint8_t* IdBytes(PCUIDLIST list) { return reinterpret_cast<const uint8_t*>(list); }
inline uint8_t* IdBytes(ITEMIDLIST* list) { return reinterpret_cast<uint8_t*>(list); }

/// The length field at `at` (an ID's cb, or 0 at the terminator).
inline uint16_t ReadIdLength(const uint8_t* at) {
  uint16_t length;
  std::memcpy(&length, at, sizeof length);
  return length;
}
inline void WriteIdLength(uint8_t* at, uint16_t length) { std::memcpy(at, &length, sizeof length); }

/// True for the terminator alone (the desktop's list) and for null.
inline bool IsEmptyIdList(PCUIDLIST list) { return !list || ReadIdLength(IdBytes(list)) == 0; }

/// The list after its first ID (the first ID must exist).
inline PCUIDLIST NextId(PCUIDLIST list) {
  return reinterpret_cast<PCUIDLIST>(IdBytes(list) + ReadIdLength(IdBytes(list)));
}

/// Bytes of the whole list, terminator included; 0 for null.
size_t IdListByteSize(PCUIDLIST list);

/// Frees a list through the task allocator.
struct IdListDeleter {
  void operator()(ITEMIDLIST* list) const;
};

/// An owned ID list.
using IdList = std::unique_ptr<ITEMIDLIST, IdListDeleter>;

/// A zero-filled block of `size` bytes from the task allocator as an ID
/// list; null when memory is short. `size` must be at least 2 for the block
/// to hold a list.
IdList AllocateIdList(size_t size);

/// A list of one ID whose payload is `payload` bytes (null when memory is
/// short or the ID would not fit its 16-bit length).
IdList MakeSingleIdList(const uint8_t* payload, size_t payloadSize);

}  // namespace lum::shell
