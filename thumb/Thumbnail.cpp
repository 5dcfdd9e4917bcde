#include "thumb/Thumbnail.h"

#include <algorithm>
#include <new>
#include <string>

#include "base/Errors.h"
#include "base/Messages.h"
#include "codec/LogoArgb.h"
#include "codec/LogoFormat.h"

namespace lum {

int32_t ThumbnailScale(int32_t width, int32_t height, int32_t size) {
  const int32_t longer = std::max(width, height);
  if (longer < 1 || size <= longer) return 1;
  return size / longer;
}

Thumbnail MakeThumbnail(const uint8_t* data, size_t size, int32_t thumbnailSize) {
  const LogoHeader header = LogoHeaderOf(data, size);
  CheckLogoPixelsFit(header, size);
  const int32_t width = header.width;
  const int32_t height = header.height;
  if (width < 1 || height < 1) {
    throw EInvalidLogo(msg::Format(msg::kLogoHasNoPixels, {std::to_string(width), std::to_string(height)}));
  }
  const int32_t k = ThumbnailScale(width, height, thumbnailSize);
  // Only a logo larger than the thumbnail size keeps its size (k = 1), so
  // its own sides are what counts.
  if (width > kMaxThumbnailSide || height > kMaxThumbnailSide) {
    throw EInvalidLogo(msg::Format(msg::kThumbnailTooLarge, {std::to_string(width), std::to_string(height),
                                                             std::to_string(kMaxThumbnailSide)}));
  }

  Thumbnail thumbnail;
  thumbnail.width = width * k;
  thumbnail.height = height * k;
  try {
    thumbnail.pixels.resize(static_cast<size_t>(thumbnail.width) * static_cast<size_t>(thumbnail.height));
  } catch (const std::bad_alloc&) {
    throw EOutOfMemory();
  }

  uint32_t* out = thumbnail.pixels.data();
  const size_t line = static_cast<size_t>(thumbnail.width);
  for (int32_t y = 0; y < height; ++y) {
    uint32_t* first = out;
    if (k == 1) {
      DecodeLogoRowArgb(data, size, header, y, out);
      out += line;
      continue;
    }
    // The logo row is decoded into the block's second line, each pixel
    // spread over the first, and the first copied over the others.
    const uint32_t* row = first + line;
    DecodeLogoRowArgb(data, size, header, y, first + line);
    for (int32_t x = 0; x < width; ++x) out = std::fill_n(out, k, row[x]);
    for (int32_t copy = 1; copy < k; ++copy) out = std::copy(first, first + line, out);
  }
  return thumbnail;
}

}  // namespace lum
