// What the image plugins must give for a logo file, taken from the codec's
// own decoder: its 24-bit image's colours, with alpha 0 for the transparent
// word 0x0000 and 255 for every other; and the pixels they gave, read back.
// Header-only, so that the fuzz targets include it too.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "codec/ByteBuffer.h"
#include "codec/Decoder.h"
#include "tests/TestSupport.h"

namespace lum::test {

#ifdef LUM_SAMPLES_DIR
/// A file of the project's samples.
inline std::string Sample(const std::string& name) { return std::string(LUM_SAMPLES_DIR) + "/" + name; }
#endif

/// Words that tell a wrong transparency rule from the decoder's, and the
/// pixels the plugins must give for them: only the word 0 is transparent,
/// opaque black 0x8000 stays black, and a word with bit 15 clear but a
/// colour set (0x7FFF, 0x0001) is opaque in its colour.
inline const std::vector<uint16_t> kTransparencyWords = {0x0000, 0x8000, 0x7FFF, 0x0001, 0xFFFF};
inline const std::vector<uint32_t> kTransparencyPixels = {0x00000000, 0xFF000000, 0xFFF8F8F8, 0xFF000008,
                                                          0xFFF8F8F8};

/// The pixels of a picture of R, G, B, A bytes whose rows start `stride`
/// bytes apart, as 0xAARRGGBB, rows from the top.
inline std::vector<uint32_t> RgbaPixels(const uint8_t* data, int width, int height, size_t stride) {
  std::vector<uint32_t> pixels;
  for (int y = 0; y < height; ++y) {
    const uint8_t* rgba = data + static_cast<size_t>(y) * stride;
    for (int x = 0; x < width; ++x, rgba += 4) {
      pixels.push_back(uint32_t{rgba[3]} << 24 | uint32_t{rgba[0]} << 16 | uint32_t{rgba[1]} << 8 | rgba[2]);
    }
  }
  return pixels;
}

/// The logo's pixels as 0xAARRGGBB, rows from the top; a transparent pixel
/// is 0 (the decoder shows it black). For a logo the decoder accepts, with
/// pixels; its words are the last bytes of the file, whatever lies before.
inline std::vector<uint32_t> DecoderPixels(const Bytes& logo) {
  ByteBuffer image;
  const LogoHeader header = DecodeLogoBytes(logo.data(), logo.size(), 0, image);
  const size_t width = static_cast<size_t>(header.width);
  const size_t height = static_cast<size_t>(header.height);
  const size_t rowSize = 3 * width + static_cast<size_t>(BmpRowPadding(header.width));
  const size_t words = logo.size() - 2 * width * height;
  std::vector<uint32_t> pixels;
  for (size_t y = 0; y < height; ++y) {
    const uint8_t* bgr = image.Data() + kBmpHeaderSize + rowSize * (height - 1 - y);  // bottom-up
    for (size_t x = 0; x < width; ++x, bgr += 3) {
      const size_t word = words + 2 * (y * width + x);
      const bool transparent = logo[word] == 0 && logo[word + 1] == 0;
      pixels.push_back(transparent ? 0u : 0xFF000000u | uint32_t{bgr[2]} << 16 | uint32_t{bgr[1]} << 8 | bgr[0]);
    }
  }
  return pixels;
}

}  // namespace lum::test
