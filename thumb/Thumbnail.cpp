#include "thumb/Thumbnail.h"

#include <algorithm>
#include <new>
#include <string>

#include "base/Errors.h"
#include "base/Messages.h"
#include "codec/BmpImage.h"
#include "codec/ByteBuffer.h"
#include "codec/Decoder.h"

namespace lum {

namespace {

// The viewer's "Wit  " shows transparent pixels as 255, 255, 255: no logo
// word can give that colour, since its channels expand to multiples of 8 up
// to 248. Decoded with it, white marks exactly the transparent pixels.
constexpr int kWhiteIndex = 5;

bool IsMarkedTransparent(const uint8_t* bgr) { return bgr[0] == 255 && bgr[1] == 255 && bgr[2] == 255; }

}  // namespace

int32_t ThumbnailScale(int32_t width, int32_t height, int32_t size) {
  const int32_t longer = std::max(width, height);
  if (longer < 1 || size <= longer) return 1;
  return size / longer;
}

Thumbnail MakeThumbnail(const uint8_t* data, size_t size, int32_t thumbnailSize) {
  ByteBuffer image;
  const LogoHeader header = DecodeLogoBytes(data, size, kWhiteIndex, image);
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

  // The image's rows are stored bottom-up, each padded to four bytes.
  const size_t rowSize = 3 * static_cast<size_t>(width) + static_cast<size_t>(BmpRowPadding(width));
  uint32_t* out = thumbnail.pixels.data();
  for (int32_t y = 0; y < height; ++y) {
    const uint8_t* row = image.Data() + kBmpHeaderSize + rowSize * static_cast<size_t>(height - 1 - y);
    uint32_t* first = out;
    for (int32_t x = 0; x < width; ++x, row += 3) {
      const uint32_t pixel = IsMarkedTransparent(row)
                                 ? 0u
                                 : 0xFF000000u | uint32_t{row[2]} << 16 | uint32_t{row[1]} << 8 | row[0];
      out = std::fill_n(out, k, pixel);
    }
    // The other k - 1 lines of this logo row are copies of the first.
    const size_t line = static_cast<size_t>(thumbnail.width);
    for (int32_t copy = 1; copy < k; ++copy) out = std::copy(first, first + line, out);
  }
  return thumbnail;
}

}  // namespace lum
