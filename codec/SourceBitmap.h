// The encoder's view of a bitmap: its size and the colour of each pixel.
// The platform's bitmap loader provides one; tests and the sample maker draw
// their own in memory.
#pragma once

#include <cstdint>

#include "codec/BmpImage.h"

namespace lum {

class SourceBitmap {
 public:
  virtual ~SourceBitmap() = default;

  virtual int32_t Width() const = 0;
  virtual int32_t Height() const = 0;
  /// The colour of pixel (x, y), 0 <= x < Width(), 0 <= y < Height(); row 0
  /// is the top row.
  virtual Rgb PixelColour(int32_t x, int32_t y) const = 0;
};

}  // namespace lum
