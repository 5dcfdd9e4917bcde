// This layer's item IDs. After the 16-bit length every ID holds:
//
//   byte 0   'L' (0x4C), marks an ID made here
//   byte 1   kind: 1 Home, 2 Computer, 3 directory entry
//   byte 2   what enumeration learned of an entry: bit 0 folder (a
//            directory, or a symlink to one), bit 1 symlink
//   3..      the entry's name, raw bytes, no terminator
//
// Carrying the entry type saves a stat per item: attributes and binding are
// answered from the ID alone.
#pragma once

#include <cstdint>
#include <string_view>

#include "platform/shell/ItemIdList.h"

namespace lum::shell::ids {

enum class Kind : uint8_t { Home = 1, Computer = 2, Entry = 3 };

constexpr uint8_t kMagic = 0x4C;
constexpr uint8_t kFolder = 0x1;
constexpr uint8_t kLink = 0x2;
/// Offset of an entry's name from the start of its ID (length field included).
constexpr uint16_t kNameOffset = 5;

struct IdView {
  Kind kind = Kind::Entry;
  uint8_t flags = 0;
  std::string_view name;  ///< empty for the virtual kinds

  bool IsFolder() const { return kind != Kind::Entry || (flags & kFolder); }
  bool IsLink() const { return flags & kLink; }
  bool IsVirtual() const { return kind != Kind::Entry; }
};

/// Reads the first ID of `list`; false for an empty list or an ID that was
/// not made here.
bool ReadFirstId(PCUIDLIST list, IdView& view);

/// Two IDs name the same item (kind and name; the learned type may differ).
inline bool SameId(const IdView& a, const IdView& b) { return a.kind == b.kind && a.name == b.name; }

IdList MakeEntryId(std::string_view name, uint8_t flags);
IdList MakeVirtualId(Kind kind);

}  // namespace lum::shell::ids
