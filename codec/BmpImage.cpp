#include "codec/BmpImage.h"

#include <cstring>

namespace lum {

namespace {

void PutLittleEndian16(uint8_t* p, uint16_t v) {
  p[0] = static_cast<uint8_t>(v);
  p[1] = static_cast<uint8_t>(v >> 8);
}

void PutLittleEndian32(uint8_t* p, uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}

}  // namespace

void WriteBmpHeader(uint8_t* header, int32_t width, int32_t height) {
  std::memset(header, 0, kBmpHeaderSize);
  header[0] = 'B';
  header[1] = 'M';
  PutLittleEndian32(header + 10, kBmpHeaderSize);
  PutLittleEndian32(header + 14, 40);
  PutLittleEndian32(header + 18, static_cast<uint32_t>(width));
  PutLittleEndian32(header + 22, static_cast<uint32_t>(height));
  PutLittleEndian16(header + 26, 1);
  PutLittleEndian16(header + 28, 24);
}

int64_t DecodedBmpSize(int32_t width, int32_t height) {
  if (width < 1 || height < 1) return kBmpHeaderSize;
  return kBmpHeaderSize + int64_t{height} * (3 * int64_t{width} + BmpRowPadding(width));
}

}  // namespace lum
