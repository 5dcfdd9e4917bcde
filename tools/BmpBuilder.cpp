#include "tools/BmpBuilder.h"

namespace lum::tools {

namespace {

void Put16(Bytes& bytes, uint32_t v) {
  bytes.push_back(static_cast<uint8_t>(v));
  bytes.push_back(static_cast<uint8_t>(v >> 8));
}

void Put32(Bytes& bytes, uint32_t v) {
  Put16(bytes, v & 0xFFFF);
  Put16(bytes, v >> 16);
}

void Set32(Bytes& bytes, size_t offset, uint32_t v) {
  for (int i = 0; i < 4; ++i) bytes[offset + i] = static_cast<uint8_t>(v >> (8 * i));
}

// One row of packed pixels, padded to four bytes.
Bytes PackedRow(const BmpRecipe& recipe, int y, const std::function<uint32_t(int, int)>& pixel) {
  Bytes row;
  const int bits = recipe.bitsPerPixel;
  if (bits < 8) {
    const int perByte = 8 / bits;
    for (int x = 0; x < recipe.width; x += perByte) {
      uint8_t byte = 0;
      for (int i = 0; i < perByte && x + i < recipe.width; ++i) {
        byte |= static_cast<uint8_t>(pixel(x + i, y) << (8 - bits * (i + 1)));
      }
      row.push_back(byte);
    }
  } else {
    for (int x = 0; x < recipe.width; ++x) {
      const uint32_t v = pixel(x, y);
      if (bits == 8) row.push_back(static_cast<uint8_t>(v));
      if (bits == 16) Put16(row, v);
      if (bits >= 24) {  // blue, green, red (and an unused fourth byte)
        row.push_back(static_cast<uint8_t>(v));
        row.push_back(static_cast<uint8_t>(v >> 8));
        row.push_back(static_cast<uint8_t>(v >> 16));
        if (bits == 32) row.push_back(0);
      }
    }
  }
  while (row.size() % 4 != 0) row.push_back(0);
  return row;
}

// RLE8: a run of one pixel per pixel, an end-of-line after each row, an
// end-of-bitmap at the end.
Bytes Rle8Row(const BmpRecipe& recipe, int y, const std::function<uint32_t(int, int)>& pixel) {
  Bytes row;
  for (int x = 0; x < recipe.width; ++x) {
    row.push_back(1);
    row.push_back(static_cast<uint8_t>(pixel(x, y)));
  }
  row.push_back(0);
  row.push_back(0);
  return row;
}

}  // namespace

Bytes BmpBytes(const BmpRecipe& recipe, const std::function<uint32_t(int x, int y)>& pixel) {
  Bytes bytes = {'B', 'M'};
  Put32(bytes, 0);  // file size, set below
  Put32(bytes, 0);
  Put32(bytes, 0);  // offset of the pixels, set below
  Put32(bytes, 40);
  Put32(bytes, static_cast<uint32_t>(recipe.width));
  Put32(bytes, static_cast<uint32_t>(recipe.rows == BmpRows::TopDown ? -recipe.height : recipe.height));
  Put16(bytes, 1);
  Put16(bytes, static_cast<uint32_t>(recipe.bitsPerPixel));
  Put32(bytes, recipe.rle8 ? 1 : 0);
  Put32(bytes, 0);     // image size
  Put32(bytes, 2835);  // 72 dpi
  Put32(bytes, 2835);
  Put32(bytes, static_cast<uint32_t>(recipe.palette.size()));
  Put32(bytes, 0);
  for (const uint32_t colour : recipe.palette) Put32(bytes, colour & 0xFFFFFF);  // blue, green, red, 0
  Set32(bytes, 10, static_cast<uint32_t>(bytes.size()));

  for (int r = 0; r < recipe.height; ++r) {
    const int y = recipe.rows == BmpRows::TopDown ? r : recipe.height - 1 - r;
    const Bytes row = recipe.rle8 ? Rle8Row(recipe, y, pixel) : PackedRow(recipe, y, pixel);
    bytes.insert(bytes.end(), row.begin(), row.end());
  }
  if (recipe.rle8) {
    bytes.push_back(0);
    bytes.push_back(1);
  }
  Set32(bytes, 2, static_cast<uint32_t>(bytes.size()));
  return bytes;
}

}  // namespace lum::tools
