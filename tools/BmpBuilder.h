// BMP files of the common variants, written byte by byte: the sample maker's
// BMP files, and the tests' inputs for the bitmap loader, which is thereby
// checked against files it did not produce itself.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>


namespace lum::tools {

using Bytes = std::vector<uint8_t>;

enum class BmpRows { BottomUp, TopDown };

/// How the rows are stored: as they are, as RLE runs (8 or 4 bits a pixel),
/// or as 16- or 32-bit words read through the recipe's colour masks.
enum class BmpCoding { Plain, Rle8, Rle4, BitFields };

struct BmpRecipe {
  int32_t width = 0;
  int32_t height = 0;
  /// 1, 4 or 8 (indexes into `palette`), 16 (5-5-5 words), 24 or 32.
  int bitsPerPixel = 24;
  /// Colours as 0xRRGGBB.
  std::vector<uint32_t> palette;
  BmpRows rows = BmpRows::BottomUp;
  /// Rle8 and Rle4 store runs of one pixel each, an end of line after each
  /// row and an end of bitmap at the end (8 and 4 bits a pixel).
  BmpCoding coding = BmpCoding::Plain;
  /// The size of the information header: 40, or 108 and 124 (the later
  /// headers, which hold the colour masks themselves).
  uint32_t infoHeaderSize = 40;
  /// BitFields: red, green, blue and alpha. A 40-byte header is followed by
  /// the first three; the later headers hold all four.
  uint32_t masks[4] = {0, 0, 0, 0};
};

/// A BMP file. `pixel(x, y)` (row 0 the top) gives the palette index for 1
/// to 8 bits, the 5-5-5 word for 16 bits and 0xRRGGBB for 24 and 32 bits;
/// with BitFields it gives the 16- or 32-bit word as stored.
Bytes BmpBytes(const BmpRecipe& recipe, const std::function<uint32_t(int x, int y)>& pixel);

/// The headers and palette of `recipe` followed by `pixelData` exactly as
/// given, such as an RLE stream spelled out byte by byte.
Bytes BmpBytesWithPixelData(const BmpRecipe& recipe, const Bytes& pixelData);

}  // namespace lum::tools
