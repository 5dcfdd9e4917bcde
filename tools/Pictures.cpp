#include "tools/Pictures.h"

#include <array>
#include <cstring>
#include <stdexcept>
#include <string>

namespace lum::tools {

namespace {

// One character per palette colour, in palette order.
constexpr char kColourKeys[] = "KMGONPTDSRLYBFAW";
// black, maroon, green, olive, navy, purple, teal, grey, silver, red, lime,
// yellow, blue, fuchsia, aqua, white; the icon's grey and silver are 128 and
// 192, the glyphs' 127 and 191.
constexpr std::array<uint32_t, 16> kIconPalette = {
    0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0x808080,
    0xC0C0C0, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
constexpr std::array<uint32_t, 16> kGlyphPalette = {
    0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0x7F7F7F,
    0xBFBFBF, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
constexpr char kTransparentKey = '.';  ///< the icon's masked pixels

// Black outline, silver body lit from the top left: white edges up and
// left, grey edges down and right, a grey groove around the hub.
const char* const kGear[32] = {
    "................................",
    "..............KKKK..............",
    ".............KWWWWK.............",
    ".............KWSSDK.............",
    ".......K.....KWSSDK.....K.......",
    "......KWK....KWSSDK....KWK......",
    ".....KWWWK.KKWWSSSWKK.KWWWK.....",
    "....KWWSSWKWWWSSSSSWWKWWSDWK....",
    ".....KWSSSWWSDDDDDDSSWWSDDK.....",
    "......KWSSSDDSSSSSSDDSSDDK......",
    ".......KWSDSSDDDDDSSSDSDK.......",
    "......KWWDSSDDKKKKWSSSDSWK......",
    "......KWSDSDDK....KWSSDSDK......",
    "..KKKKWWDSDDK......KWSSDSWKKKK..",
    ".KWWWWWSDSDK........KWSDSSWWWWK.",
    ".KWSSSSSDSDK........KWSDSSSSSDK.",
    ".KWSSSSSDSDK........KWSDSSSSSDK.",
    ".KWDDDSSDSDK........KWSDSDDDDDK.",
    "..KKKKWSDSSWK......KWWSDDDKKKK..",
    "......KWSDSSWK....KWWSDSDK......",
    "......KWSDSSSWKKKKWWSSDDDK......",
    ".......KWSDSSSWWWWWSSDSDK.......",
    "......KWWSSDDSSSSSSDDSSSWK......",
    ".....KWWSDDSSDDDDDDSDDSSSWK.....",
    "....KWWSDDKWDSSSSSDDDKWSSDWK....",
    ".....KWDDK.KKWSSSDDKK.KWDDK.....",
    "......KWK....KWSSDK....KWK......",
    ".......K.....KWSSDK.....K.......",
    ".............KWSSDK.............",
    ".............KWDDDK.............",
    "..............KKKK..............",
    "................................",
};

// The gear drawn again for 16 × 16, where every second pixel of the large
// one would break its outline.
const char* const kSmallGear[16] = {
    ".......KK.......",
    "..K...KWDK...K..",
    ".KWK.KKWDKK.KWK.",
    ".KSSKWWSSWSKWDK.",
    "..KWWSSSSSSWDK..",
    ".KWSSSSDDSSSSDK.",
    ".KWSSSDKKWSSSDK.",
    "KWSSSDK..KWSSSDK",
    "KSSSSDK..KWSSSDK",
    ".KWSSSDKKWSSSDK.",
    ".KWSSSSWWSSSSDK.",
    "..KWDSSSSSSDDK..",
    ".KWDKDDSSDDKDDK.",
    ".KDK.KKWDKK.KDK.",
    "..K...KDDK...K..",
    ".......KK.......",
};

// A white sheet with black lines, a red arrow coming from the top right
// and pointing down, a black diskette with a blue strip, a white label and
// a silver shutter; olive is transparent.
const char* const kSave[16] = {
    "KKKKKKKOOOORRRRO",
    "KWWWWWKOOORRRRRO",
    "KWKKKWKOOORROOOO",
    "KWWWWWKOOORROOOO",
    "KWKKKWKORRRRRROO",
    "KWWWWWKOORRRROOO",
    "KWKKKWKOOORROOOO",
    "KWWWWKKKKKKKKKKK",
    "KWKKKKBBBBBBBBBK",
    "KWWWWKWWWWWWWWWK",
    "KKKKKKWKKKKKKKWK",
    "OOOOOKWWWWWWWWWK",
    "OOOOOKKKKKKKKKKK",
    "OOOOOKKKSSSSKKKK",
    "OOOOOKKKSSKSKKKK",
    "OOOOOOKKSSSSKKKK",
};

// An open folder, yellow and white inside a black outline, its front flap
// yellow and silver; purple is transparent.
const char* const kShow[16] = {
    "PPPPPPPPPPPPPPPP",
    "PPPPPPPPPPPPPPPP",
    "PKKKKPPPPPPPPPPP",
    "KWYWYKKKKKKKPPPP",
    "KYWYWYWYWYWYKPPP",
    "KWYWYWYWYWYWKPPP",
    "KYWYWYWYWYWYKPPP",
    "KWYWYWKKKKKKKKKK",
    "KYWYWKSYSYSYSYSK",
    "KWYWKSYSYSYSYSKP",
    "KYWKSYSYSYSYSKPP",
    "KWKSYSYSYSYSKPPP",
    "KKSYSYSYSYSKPPPP",
    "KKKKKKKKKKKPPPPP",
    "PPPPPPPPPPPPPPPP",
    "PPPPPPPPPPPPPPPP",
};

constexpr uint8_t kGrey = 7;
constexpr uint8_t kWhite = 15;

uint8_t IndexOf(char key) {
  const char* found = std::strchr(kColourKeys, key);
  if (key == '\0' || !found) throw std::logic_error(std::string("no colour for '") + key + "'");
  return static_cast<uint8_t>(found - kColourKeys);
}

using Indexes = std::vector<std::vector<uint8_t>>;

Indexes Read(const char* const* rows, int width, int height, uint8_t transparent) {
  Indexes picture(static_cast<size_t>(height), std::vector<uint8_t>(static_cast<size_t>(width)));
  for (int y = 0; y < height; ++y) {
    if (static_cast<int>(std::strlen(rows[y])) != width) throw std::logic_error("picture row of the wrong width");
    for (int x = 0; x < width; ++x) {
      const char key = rows[y][x];
      picture[y][x] = key == kTransparentKey ? transparent : IndexOf(key);
    }
  }
  return picture;
}

bool IsDark(uint32_t rgb) {
  const uint32_t red = rgb >> 16;
  const uint32_t green = (rgb >> 8) & 0xFF;
  const uint32_t blue = rgb & 0xFF;
  return 30 * red + 59 * green + 11 * blue < 160 * 100;
}

// The disabled picture: every dark pixel grey, with a white one below and
// to the right of it where no dark pixel is; all else transparent, so the
// picture looks pressed into the button.
Indexes Embossed(const Indexes& picture, uint8_t transparent) {
  const size_t height = picture.size();
  const size_t width = picture[0].size();
  Indexes result(height, std::vector<uint8_t>(width, transparent));
  const auto dark = [&](size_t x, size_t y) {
    return picture[y][x] != transparent && IsDark(kGlyphPalette[picture[y][x]]);
  };
  for (size_t y = 0; y + 1 < height; ++y) {
    for (size_t x = 0; x + 1 < width; ++x) {
      if (dark(x, y)) result[y + 1][x + 1] = kWhite;
    }
  }
  for (size_t y = 0; y < height; ++y) {
    for (size_t x = 0; x < width; ++x) {
      if (dark(x, y)) result[y][x] = kGrey;
    }
  }
  return result;
}

Bytes GlyphBytes(const char* const* rows) {
  const uint8_t transparent = IndexOf(rows[15][0]);
  const Indexes enabled = Read(rows, 16, 16, transparent);
  const Indexes disabled = Embossed(enabled, transparent);
  BmpRecipe recipe;
  recipe.width = 32;
  recipe.height = 16;
  recipe.bitsPerPixel = 4;
  recipe.palette.assign(kGlyphPalette.begin(), kGlyphPalette.end());
  return BmpBytes(recipe, [&](int x, int y) -> uint32_t { return x < 16 ? enabled[y][x] : disabled[y][x - 16]; });
}

void PutLittleEndian(Bytes& bytes, uint32_t value, int size) {
  for (int i = 0; i < size; ++i) bytes.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

RgbaImage IconImage(const char* const* rows, int size) {
  RgbaImage image;
  image.width = size;
  image.height = size;
  for (int y = 0; y < size; ++y) {
    if (static_cast<int>(std::strlen(rows[y])) != size) throw std::logic_error("picture row of the wrong width");
    for (int x = 0; x < size; ++x) {
      const char key = rows[y][x];
      image.pixels.push_back(key == kTransparentKey ? 0u : 0xFF000000u | kIconPalette[IndexOf(key)]);
    }
  }
  return image;
}

}  // namespace

RgbaImage GearIcon() { return IconImage(kGear, 32); }

RgbaImage SmallGearIcon() { return IconImage(kSmallGear, 16); }

// An icon file with one image: the directory (6 bytes), its one entry (16
// bytes), then the image as a bitmap without file header whose height
// counts the colour rows and the mask rows, both bottom-up; the mask marks
// transparent pixels with 1, and those have colour 0.
Bytes IconFileBytes() {
  constexpr int kSize = 32;
  constexpr uint32_t kColourRowBytes = kSize / 2;
  constexpr uint32_t kMaskRowBytes = 4;
  constexpr uint32_t kImageBytes = 40 + 16 * 4 + (kColourRowBytes + kMaskRowBytes) * kSize;
  const Indexes gear = Read(kGear, kSize, kSize, 0);
  Bytes bytes;
  PutLittleEndian(bytes, 0, 2);  // reserved
  PutLittleEndian(bytes, 1, 2);  // an icon
  PutLittleEndian(bytes, 1, 2);  // one image
  bytes.push_back(kSize);
  bytes.push_back(kSize);
  bytes.push_back(16);  // colours
  bytes.push_back(0);
  PutLittleEndian(bytes, 1, 2);  // planes
  PutLittleEndian(bytes, 4, 2);  // bits per pixel
  PutLittleEndian(bytes, kImageBytes, 4);
  PutLittleEndian(bytes, 6 + 16, 4);  // where the image starts

  PutLittleEndian(bytes, 40, 4);
  PutLittleEndian(bytes, kSize, 4);
  PutLittleEndian(bytes, 2 * kSize, 4);
  PutLittleEndian(bytes, 1, 2);
  PutLittleEndian(bytes, 4, 2);
  PutLittleEndian(bytes, 0, 4);  // uncompressed
  PutLittleEndian(bytes, (kColourRowBytes + kMaskRowBytes) * kSize, 4);
  PutLittleEndian(bytes, 0, 4);
  PutLittleEndian(bytes, 0, 4);
  PutLittleEndian(bytes, 16, 4);  // colours used
  PutLittleEndian(bytes, 0, 4);
  for (const uint32_t rgb : kIconPalette) PutLittleEndian(bytes, rgb, 4);  // blue, green, red, 0

  for (int y = kSize - 1; y >= 0; --y) {
    for (int x = 0; x < kSize; x += 2) {
      bytes.push_back(static_cast<uint8_t>(gear[y][x] << 4 | gear[y][x + 1]));
    }
  }
  for (int y = kSize - 1; y >= 0; --y) {
    uint32_t mask = 0;
    for (int x = 0; x < kSize; ++x) {
      if (kGear[y][x] == kTransparentKey) mask |= 0x80000000u >> x;
    }
    for (int shift = 24; shift >= 0; shift -= 8) bytes.push_back(static_cast<uint8_t>(mask >> shift));
  }
  return bytes;
}

Bytes SaveGlyphBytes() { return GlyphBytes(kSave); }

Bytes ShowGlyphBytes() { return GlyphBytes(kShow); }

}  // namespace lum::tools
