// The viewer's pictures, drawn here as text: the program icon (a grey gear
// wheel) and the two button glyphs (save, and an open folder). The same
// art serves the resource files that make_pictures writes and any later
// size of the icon.
#pragma once

#include <cstdint>
#include <vector>

#include "tools/BmpBuilder.h"

namespace lum::tools {

/// Pixels as 0xAARRGGBB, rows from the top; alpha is 0 or 255.
struct RgbaImage {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;
};

/// The 32 × 32 gear wheel, transparent around it and in its hub.
RgbaImage GearIcon();

/// The same gear drawn for 16 × 16.
RgbaImage SmallGearIcon();

/// MAINICON.ico: the gear as one 32 × 32 image of 4 bits per pixel with the
/// 16-colour palette (grey 128, silver 192) and a 1-bit mask.
Bytes IconFileBytes();

/// The glyph bitmaps, 32 × 16 at 4 bits per pixel with the buttons'
/// 16-colour palette (grey 127, silver 191): the picture on the left and its
/// grey-and-white embossed copy for the disabled button on the right. The
/// bottom-left pixel has the transparent colour: olive for the save
/// picture, purple for the folder.
Bytes SaveGlyphBytes();
Bytes ShowGlyphBytes();

}  // namespace lum::tools
