#include "platform/shell/ItemIdList.h"

#include <limits>

namespace lum::shell {

size_t IdListByteSize(PCUIDLIST list) {
  if (!list) return 0;
  const uint8_t* at = IdBytes(list);
  size_t size = 0;
  for (uint16_t length = ReadIdLength(at); length != 0; length = ReadIdLength(at + size)) size += length;
  return size + 2;
}

void IdListDeleter::operator()(ITEMIDLIST* list) const {
  ComPtr<IMalloc> allocator;
  if (SHGetMalloc(allocator) == S_OK) allocator->Free(list);
}

IdList AllocateIdList(size_t size) {
  ComPtr<IMalloc> allocator;
  if (SHGetMalloc(allocator) != S_OK) return nullptr;
  return IdList(static_cast<ITEMIDLIST*>(allocator->Alloc(size)));
}

IdList MakeSingleIdList(const uint8_t* payload, size_t payloadSize) {
  const size_t idLength = payloadSize + 2;
  if (idLength > std::numeric_limits<uint16_t>::max()) return nullptr;
  IdList list = AllocateIdList(idLength + 2);  // the zero fill is the terminator
  if (!list) return nullptr;
  uint8_t* bytes = IdBytes(list.get());
  WriteIdLength(bytes, static_cast<uint16_t>(idLength));
  if (payloadSize) std::memcpy(bytes + 2, payload, payloadSize);
  return list;
}

}  // namespace lum::shell
