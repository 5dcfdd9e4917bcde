#include "platform/bitmap/BmpPixels.h"

#include "base/Errors.h"

namespace lum::platform {

namespace {

constexpr size_t kFileHeaderSize = 14;
constexpr uint32_t kInfoHeaderSize = 40;

enum Compression : uint32_t { kRle8 = 1, kRle4 = 2 };

uint32_t Pixel32(const uint8_t* p) {
  return uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24;
}

int LowestBit(uint32_t mask) {
  int shift = 0;
  while (mask != 0 && (mask & 1) == 0) {
    mask >>= 1;
    ++shift;
  }
  return shift;
}

int BitCount(uint32_t mask) {
  int count = 0;
  for (; mask != 0; mask &= mask - 1) ++count;
  return count;
}

bool IsContiguous(uint32_t mask) {
  const uint32_t shifted = mask >> LowestBit(mask);
  return (shifted & (shifted + 1)) == 0;
}

// The palette of an RLE file: blue, green, red and a spare byte each, right
// after the information header.
std::vector<uint32_t> ReadPalette(const uint8_t* bytes, size_t size, const BmpLayout& layout) {
  const uint64_t start = kFileHeaderSize + uint64_t{layout.infoHeaderSize};
  if (start + 4 * uint64_t{layout.colourCount} > size) throw EInvalidGraphic();
  std::vector<uint32_t> colours;
  for (uint32_t i = 0; i < layout.colourCount; ++i) {
    const uint8_t* entry = bytes + start + 4 * i;
    colours.push_back(0xFF000000u | uint32_t{entry[2]} << 16 | uint32_t{entry[1]} << 8 | entry[0]);
  }
  return colours;
}

// One channel of a masked pixel as 0..255.
uint8_t Channel(uint32_t pixel, uint32_t mask, int shift, int width) {
  if (width == 0) return 0;
  const uint32_t value = (pixel & mask) >> shift;
  if (width >= 8) return static_cast<uint8_t>(value >> (width - 8));
  const uint32_t top = (1u << width) - 1;
  return static_cast<uint8_t>((value * 255 + top / 2) / top);
}

}  // namespace

PixelPlan PlanPixelDecoding(const uint8_t* bytes, size_t size, const BmpLayout& layout) {
  PixelPlan plan;
  if (layout.infoHeaderSize < kInfoHeaderSize) return plan;  // the old 12-byte header: Qt

  if (layout.compression == kRle8 || layout.compression == kRle4) {
    plan.fourBits = layout.compression == kRle4;
    if (layout.bitsPerPixel != (plan.fourBits ? 4 : 8)) throw EInvalidGraphic();
    plan.decoding = PixelDecoding::Rle;
    plan.colours = ReadPalette(bytes, size, layout);
    return plan;
  }

  if (layout.compression == 0 && layout.bitsPerPixel == 24 && layout.width >= 1 && layout.height >= 1) {
    plan.decoding = PixelDecoding::Rgb24;
    return plan;
  }

  if (layout.maskCount == 0) return plan;
  if (layout.bitsPerPixel != 16 && layout.bitsPerPixel != 32) return plan;  // Qt's reader refuses them
  // A mask that reaches past the pixel's bits or shares bits with another
  // reads no colour the file could mean, and one whose bits are not side by
  // side none that a channel could hold.
  const uint32_t pixelBits = layout.bitsPerPixel == 32 ? 0xFFFFFFFFu : 0xFFFFu;
  uint32_t taken = 0;
  bool wide = false;
  for (int i = 0; i < layout.maskCount; ++i) {
    const uint32_t mask = layout.masks[i];
    if (!IsContiguous(mask) || (mask & ~pixelBits) != 0 || (mask & taken) != 0) throw EInvalidGraphic();
    taken |= mask;
    wide = wide || BitCount(mask) > 8;
  }
  if (wide) plan.decoding = PixelDecoding::WideMasks;
  return plan;
}

void ExpandRle(const uint8_t* bytes, size_t size, const BmpLayout& layout, bool fourBits, uint8_t* rows,
               size_t stride) {
  const int64_t width = layout.width < 0 ? -layout.width : layout.width;
  const int64_t height = layout.height < 0 ? -layout.height : layout.height;
  const bool topDown = layout.height < 0;
  size_t at = layout.pixelDataOffset < static_cast<int64_t>(size) ? static_cast<size_t>(layout.pixelDataOffset) : size;
  int64_t x = 0;
  int64_t line = 0;  // in the order the stream stores them
  // Pixel `i` of a run or of a literal stretch whose indexes `byte` holds.
  const auto index = [fourBits](uint8_t byte, int i) -> uint8_t {
    return fourBits ? static_cast<uint8_t>(i % 2 == 0 ? byte >> 4 : byte & 0x0F) : byte;
  };
  const auto put = [&](uint8_t value) {
    if (x < width) rows[static_cast<size_t>(topDown ? line : height - 1 - line) * stride + static_cast<size_t>(x)] = value;
    ++x;
  };

  while (line < height && size - at >= 2) {
    const uint8_t count = bytes[at];
    const uint8_t value = bytes[at + 1];
    at += 2;
    if (count > 0) {  // a run: `count` pixels from `value`
      for (int i = 0; i < count && x < width; ++i) put(index(value, i));
    } else if (value == 0) {  // end of line
      x = 0;
      ++line;
    } else if (value == 1) {  // end of bitmap
      return;
    } else if (value == 2) {  // delta: so many pixels right and rows on
      if (size - at < 2) return;
      x += bytes[at];
      line += bytes[at + 1];
      at += 2;
    } else {  // `value` pixels as stored, padded to a 16-bit boundary
      const size_t stored = fourBits ? (value + 1u) / 2 : value;
      for (int i = 0; i < value; ++i) {
        const size_t byteAt = at + static_cast<size_t>(fourBits ? i / 2 : i);
        if (byteAt >= size) return;
        put(index(bytes[byteAt], i));
      }
      at += stored + stored % 2;
      if (at > size) return;
    }
  }
}

namespace {

// Walks the uncompressed rows of the file, as many bytes a pixel as its
// bits say, rows padded to four bytes, bottom-up unless the height is
// negative: `pixels(from, to, width)` turns the row at `from` into the
// picture's row `to`. Stops at the first row the file does not hold.
template <typename Pixels>
void WalkPixelRows(const uint8_t* bytes, size_t size, const BmpLayout& layout, uint32_t* rows, size_t stride,
                   Pixels pixels) {
  const int64_t width = layout.width < 0 ? -layout.width : layout.width;
  const int64_t height = layout.height < 0 ? -layout.height : layout.height;
  const int64_t rowBytes = (width * layout.bitsPerPixel + 31) / 32 * 4;
  for (int64_t line = 0; line < height; ++line) {
    const int64_t start = layout.pixelDataOffset + line * rowBytes;
    if (start + width * (layout.bitsPerPixel / 8) > static_cast<int64_t>(size)) return;
    auto* to = reinterpret_cast<uint32_t*>(reinterpret_cast<uint8_t*>(rows) +
                                           static_cast<size_t>(layout.height < 0 ? line : height - 1 - line) * stride);
    pixels(bytes + start, to, width);
  }
}

}  // namespace

void ReadMaskedPixels(const uint8_t* bytes, size_t size, const BmpLayout& layout, uint32_t* rows, size_t stride) {
  const uint32_t* masks = layout.masks;
  const int bytesPerPixel = layout.bitsPerPixel / 8;
  int shifts[4];
  int widths[4];
  for (int i = 0; i < 4; ++i) {
    shifts[i] = LowestBit(masks[i]);
    widths[i] = BitCount(masks[i]);
  }
  WalkPixelRows(bytes, size, layout, rows, stride, [&](const uint8_t* from, uint32_t* to, int64_t width) {
    for (int64_t x = 0; x < width; ++x, from += bytesPerPixel) {
      const uint32_t pixel = bytesPerPixel == 2 ? uint32_t{from[0]} | uint32_t{from[1]} << 8 : Pixel32(from);
      const uint32_t alpha = masks[3] == 0 ? 0xFF : Channel(pixel, masks[3], shifts[3], widths[3]);
      to[x] = alpha << 24 | uint32_t{Channel(pixel, masks[0], shifts[0], widths[0])} << 16 |
              uint32_t{Channel(pixel, masks[1], shifts[1], widths[1])} << 8 |
              Channel(pixel, masks[2], shifts[2], widths[2]);
    }
  });
}

void ReadRgb24Pixels(const uint8_t* bytes, size_t size, const BmpLayout& layout, uint32_t* rows, size_t stride) {
  WalkPixelRows(bytes, size, layout, rows, stride, [](const uint8_t* from, uint32_t* to, int64_t width) {
    for (int64_t x = 0; x < width; ++x, from += 3) {
      to[x] = 0xFF000000u | uint32_t{from[2]} << 16 | uint32_t{from[1]} << 8 | from[0];
    }
  });
}

}  // namespace lum::platform
