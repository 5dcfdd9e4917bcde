// A logo's picture for a file manager: decoded row by row by the codec, with
// transparent pixels clear, and enlarged by whole pixels.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace lum {

/// The longest side a thumbnail may have: PNG readers refuse longer ones by
/// default (libpng's limit of a million pixels a side), so a file manager
/// could not show such a thumbnail, and the logo is refused before one is
/// made.
constexpr int32_t kMaxThumbnailSide = 1000000;

/// Pixels as 0xAARRGGBB, rows from the top; alpha is 0 or 255.
struct Thumbnail {
  int32_t width = 0;
  int32_t height = 0;
  std::vector<uint32_t> pixels;
};

/// The largest whole factor k >= 1 with k * max(width, height) <= size; 1
/// when the logo is larger than the size already (it is never shrunk).
int32_t ThumbnailScale(int32_t width, int32_t height, int32_t size);

/// Decodes the logo file held in `data` and enlarges it by ThumbnailScale,
/// each logo pixel becoming a k x k block. The word 0x0000 gives alpha 0,
/// every other pixel the decoder's colour, opaque. Throws EInvalidLogo for a
/// logo too short for its header or pixels, one without pixels (a width or
/// height below 1) or one whose thumbnail would have a side longer than
/// kMaxThumbnailSide, and EOutOfMemory.
Thumbnail MakeThumbnail(const uint8_t* data, size_t size, int32_t thumbnailSize);

}  // namespace lum
