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

struct BmpRecipe {
  int32_t width = 0;
  int32_t height = 0;
  /// 1, 4 or 8 (indexes into `palette`), 16 (5-5-5 words), 24 or 32.
  int bitsPerPixel = 24;
  /// Colours as 0xRRGGBB.
  std::vector<uint32_t> palette;
  BmpRows rows = BmpRows::BottomUp;
  /// 8 bits only: store the rows as RLE8 runs of one pixel each.
  bool rle8 = false;
};

/// A BMP file with a 40-byte information header. `pixel(x, y)` (row 0 the
/// top) gives the palette index for 1 to 8 bits, the 5-5-5 word for 16 bits
/// and 0xRRGGBB for 24 and 32 bits.
Bytes BmpBytes(const BmpRecipe& recipe, const std::function<uint32_t(int x, int y)>& pixel);

}  // namespace lum::tools
