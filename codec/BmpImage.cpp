#include "codec/BmpImage.h"

#include <cstdint>
#include <cstring>
#include <limits>

namespace lum {

namespace {

void PutLittleEndian16(uint8_t* p, uint16_t v) {
  p[0] = static_cast<uint8_t>(v);
  p[1] = static_cast<uint8_t>(v >> 8);
}

void PutLittleEndian32(uint8_t* p, uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}

uint32_t GetLittleEndian32(const uint8_t* p) {
  return uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24;
}

uint16_t GetLittleEndian16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

constexpr size_t kFileHeaderSize = 14;
constexpr uint32_t kCoreHeaderSize = 12;  // the old information header, 16-bit sizes
constexpr uint32_t kInfoHeaderSize = 40;
constexpr uint32_t kOs2HeaderSize = 64;  // its compression 3 is Huffman coding, not masks
constexpr uint32_t kAlphaMaskHeaderSize = 56;  // the first header that holds an alpha mask
// Compression values whose rows have a fixed size.
constexpr uint32_t kBiRgb = 0;
constexpr uint32_t kBiBitFields = 3;
constexpr uint32_t kBiAlphaBitFields = 6;

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
  // At most 3 * 2^62 bytes: exact in 64 unsigned bits, then capped.
  const uint64_t size = kBmpHeaderSize + uint64_t(height) * (3 * uint64_t(width) + uint64_t(BmpRowPadding(width)));
  return size > uint64_t{INT64_MAX} ? INT64_MAX : static_cast<int64_t>(size);
}

void WriteBmpFileHeader(uint8_t* header, int32_t width, int32_t height) {
  WriteBmpHeader(header, width, height);
  const int64_t fileSize = DecodedBmpSize(width, height);
  PutLittleEndian32(header + 2, static_cast<uint32_t>(fileSize));
  PutLittleEndian32(header + 34, static_cast<uint32_t>(fileSize - kBmpHeaderSize));
}

int64_t BmpLayout::PixelDataEnd() const {
  const int64_t rowBytes = (Magnitude(width) * bitsPerPixel + 31) / 32 * 4;
  const int64_t rows = Magnitude(height);
  // Saturates: no file reaches that far anyway.
  if (rows != 0 && rowBytes > (std::numeric_limits<int64_t>::max() - pixelDataOffset) / rows) {
    return std::numeric_limits<int64_t>::max();
  }
  return pixelDataOffset + rowBytes * rows;
}

std::optional<BmpLayout> PeekBmpLayout(const uint8_t* bytes, size_t size) {
  if (size < kFileHeaderSize + 4 || bytes[0] != 'B' || bytes[1] != 'M') return std::nullopt;
  const uint32_t dataOffset = GetLittleEndian32(bytes + 10);
  const uint8_t* info = bytes + kFileHeaderSize;
  const uint32_t infoSize = GetLittleEndian32(info);
  BmpLayout layout;
  layout.infoHeaderSize = infoSize;
  int64_t colourTable = 0;
  int64_t bitMasks = 0;
  if (infoSize == kCoreHeaderSize) {
    if (size < kFileHeaderSize + kCoreHeaderSize) return std::nullopt;
    layout.width = GetLittleEndian16(info + 4);
    layout.height = GetLittleEndian16(info + 6);
    layout.bitsPerPixel = GetLittleEndian16(info + 10);
    if (layout.bitsPerPixel <= 8) {
      layout.colourCount = 1u << layout.bitsPerPixel;
      colourTable = 3 * int64_t{layout.colourCount};
    }
  } else {
    if (size < kFileHeaderSize + kInfoHeaderSize) return std::nullopt;
    layout.width = static_cast<int32_t>(GetLittleEndian32(info + 4));
    layout.height = static_cast<int32_t>(GetLittleEndian32(info + 8));
    layout.bitsPerPixel = GetLittleEndian16(info + 14);
    const uint32_t compression = GetLittleEndian32(info + 16);
    layout.compression = compression;
    layout.compressed = compression != kBiRgb && compression != kBiBitFields && compression != kBiAlphaBitFields;
    const uint32_t coloursUsed = GetLittleEndian32(info + 32);
    if (layout.bitsPerPixel <= 8) {
      layout.colourCount = coloursUsed == 0 ? 1u << layout.bitsPerPixel : coloursUsed < 256 ? coloursUsed : 256;
      colourTable = 4 * int64_t{layout.colourCount};
    }
    if ((compression == kBiBitFields || compression == kBiAlphaBitFields) && infoSize != kOs2HeaderSize) {
      // Three masks (four with alpha) follow a 40-byte header; the later
      // headers hold red, green, blue and, from 56 bytes on, alpha, at the
      // same place.
      const bool alpha =
          infoSize == kInfoHeaderSize ? compression == kBiAlphaBitFields : infoSize >= kAlphaMaskHeaderSize;
      layout.maskCount = alpha ? 4 : 3;
      const uint8_t* maskBytes = info + kInfoHeaderSize;
      if (size < kFileHeaderSize + kInfoHeaderSize + 4 * static_cast<size_t>(layout.maskCount)) return std::nullopt;
      for (int i = 0; i < layout.maskCount; ++i) layout.masks[i] = GetLittleEndian32(maskBytes + 4 * i);
      if (infoSize == kInfoHeaderSize) bitMasks = 4 * layout.maskCount;
    }
  }
  const int64_t tablesEnd = int64_t{kFileHeaderSize} + infoSize + colourTable + bitMasks;
  layout.pixelDataOffset = dataOffset > tablesEnd ? dataOffset : tablesEnd;
  return layout;
}

}  // namespace lum
