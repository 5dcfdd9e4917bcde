#include "tools/BmpBuilder.h"

namespace lum::tools {

namespace {

constexpr uint32_t kSrgb = 0x73524742;  // "sRGB", the colour space of the later headers

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

uint32_t Compression(BmpCoding coding) {
  switch (coding) {
    case BmpCoding::Rle8: return 1;
    case BmpCoding::Rle4: return 2;
    case BmpCoding::BitFields: return 3;
    default: return 0;
  }
}

// The file header, the information header, the masks and the palette; the
// file size is set once the pixels follow.
Bytes Headers(const BmpRecipe& recipe) {
  Bytes bytes = {'B', 'M'};
  Put32(bytes, 0);  // file size, set by Finish
  Put32(bytes, 0);
  Put32(bytes, 0);  // offset of the pixels, set below
  Put32(bytes, recipe.infoHeaderSize);
  Put32(bytes, static_cast<uint32_t>(recipe.width));
  Put32(bytes, static_cast<uint32_t>(recipe.rows == BmpRows::TopDown ? -recipe.height : recipe.height));
  Put16(bytes, 1);
  Put16(bytes, static_cast<uint32_t>(recipe.bitsPerPixel));
  Put32(bytes, Compression(recipe.coding));
  Put32(bytes, 0);     // image size
  Put32(bytes, 2835);  // 72 dpi
  Put32(bytes, 2835);
  Put32(bytes, static_cast<uint32_t>(recipe.palette.size()));
  Put32(bytes, 0);
  if (recipe.infoHeaderSize > 40) {
    for (const uint32_t mask : recipe.masks) Put32(bytes, mask);
    Put32(bytes, kSrgb);
    bytes.resize(14 + recipe.infoHeaderSize, 0);  // end points, gamma, and the later fields
  } else if (recipe.coding == BmpCoding::BitFields) {
    for (int i = 0; i < 3; ++i) Put32(bytes, recipe.masks[i]);
  }
  for (const uint32_t colour : recipe.palette) Put32(bytes, colour & 0xFFFFFF);  // blue, green, red, 0
  Set32(bytes, 10, static_cast<uint32_t>(bytes.size()));
  return bytes;
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
      if (bits == 32 && recipe.coding == BmpCoding::BitFields) {
        Put32(row, v);
      } else if (bits >= 24) {  // blue, green, red (and an unused fourth byte)
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

// A run of one pixel per pixel (RLE4 keeps it in the high half of the
// byte), then an end of line.
Bytes RleRow(const BmpRecipe& recipe, int y, const std::function<uint32_t(int, int)>& pixel) {
  const int shift = recipe.coding == BmpCoding::Rle4 ? 4 : 0;
  Bytes row;
  for (int x = 0; x < recipe.width; ++x) {
    row.push_back(1);
    row.push_back(static_cast<uint8_t>(pixel(x, y) << shift));
  }
  row.push_back(0);
  row.push_back(0);
  return row;
}

Bytes Finish(Bytes bytes) {
  Set32(bytes, 2, static_cast<uint32_t>(bytes.size()));
  return bytes;
}

}  // namespace

Bytes BmpBytes(const BmpRecipe& recipe, const std::function<uint32_t(int x, int y)>& pixel) {
  Bytes bytes = Headers(recipe);
  const bool rle = recipe.coding == BmpCoding::Rle8 || recipe.coding == BmpCoding::Rle4;
  for (int r = 0; r < recipe.height; ++r) {
    const int y = recipe.rows == BmpRows::TopDown ? r : recipe.height - 1 - r;
    const Bytes row = rle ? RleRow(recipe, y, pixel) : PackedRow(recipe, y, pixel);
    bytes.insert(bytes.end(), row.begin(), row.end());
  }
  if (rle) {
    bytes.push_back(0);
    bytes.push_back(1);
  }
  return Finish(std::move(bytes));
}

Bytes BmpBytesWithPixelData(const BmpRecipe& recipe, const Bytes& pixelData) {
  Bytes bytes = Headers(recipe);
  bytes.insert(bytes.end(), pixelData.begin(), pixelData.end());
  return Finish(std::move(bytes));
}

}  // namespace lum::tools
