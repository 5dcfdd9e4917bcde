#include "platform/shell/NamespaceIds.h"

#include <cstring>

namespace lum::shell::ids {

bool ReadFirstId(PCUIDLIST list, IdView& view) {
  if (IsEmptyIdList(list)) return false;
  const uint8_t* bytes = IdBytes(list);
  const uint16_t length = ReadIdLength(bytes);
  if (length < kNameOffset || bytes[2] != kMagic) return false;
  const auto kind = static_cast<Kind>(bytes[3]);
  if (kind != Kind::Home && kind != Kind::Computer && kind != Kind::Entry) return false;
  view.kind = kind;
  view.flags = bytes[4];
  view.name = std::string_view(reinterpret_cast<const char*>(bytes + kNameOffset), length - kNameOffset);
  return kind != Kind::Entry || !view.name.empty();
}

IdList MakeEntryId(std::string_view name, uint8_t flags) {
  const size_t idLength = kNameOffset + name.size();
  if (idLength > 0xFFFF) return nullptr;
  // One block per entry: enumeration makes one of these for every item.
  IdList list = AllocateIdList(idLength + 2);
  if (!list) return nullptr;
  uint8_t* bytes = IdBytes(list.get());
  WriteIdLength(bytes, static_cast<uint16_t>(idLength));
  bytes[2] = kMagic;
  bytes[3] = static_cast<uint8_t>(Kind::Entry);
  bytes[4] = flags;
  std::memcpy(bytes + kNameOffset, name.data(), name.size());
  return list;
}

IdList MakeVirtualId(Kind kind) {
  const uint8_t payload[3] = {kMagic, static_cast<uint8_t>(kind), kFolder};
  return MakeSingleIdList(payload, sizeof payload);
}

}  // namespace lum::shell::ids
