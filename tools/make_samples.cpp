// Draws the samples in samples/: logos encoded by the system's own encoder
// from bitmaps drawn in memory, and BMP files of several bit depths for the
// BMP -> logo direction.
//
//   make_samples <output folder>
//
// Logos: test cards that show every one of the 32 levels of each channel
// beside a near-black block (transparent where the transparency rule says
// so), ring pictures, and a banner of a size that is no logo kind.
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "base/Errors.h"
#include "codec/ByteBuffer.h"
#include "codec/Encoder.h"
#include "platform/files/HostFiles.h"
#include "tools/BmpBuilder.h"

namespace {

using lum::Rgb;

class DrawnBitmap : public lum::SourceBitmap {
 public:
  DrawnBitmap(int width, int height, std::function<Rgb(int, int)> draw)
      : width_(width), height_(height), draw_(std::move(draw)) {}
  int32_t Width() const override { return width_; }
  int32_t Height() const override { return height_; }
  Rgb PixelColour(int32_t x, int32_t y) const override { return draw_(x, y); }

 private:
  int width_, height_;
  std::function<Rgb(int, int)> draw_;
};

// A colour from 5-bit levels, as the logo keeps them.
Rgb Level(int r5, int g5, int b5) {
  return Rgb{static_cast<uint8_t>(r5 * 8), static_cast<uint8_t>(g5 * 8), static_cast<uint8_t>(b5 * 8)};
}

uint32_t Packed(Rgb c) { return uint32_t{c.red} << 16 | uint32_t{c.green} << 8 | c.blue; }

// Encodes the bitmap as the viewer saves it under the transparency choice
// and names the file by its size class.
void SaveLogo(const std::string& folder, const std::string& name, const DrawnBitmap& bitmap, int setTrans) {
  lum::ByteBuffer logo;
  lum::EncodeLogo(bitmap, lum::TransparencyFlag(setTrans, bitmap.Width(), bitmap.Height()), logo);
  logo.SaveToFile(lum::LogoNameFor(folder + name, bitmap.Width(), bitmap.Height()), lum::platform::HostFiles());
}

void SaveBmp(const std::string& path, const lum::tools::BmpRecipe& recipe, const std::function<uint32_t(int, int)>& pixel) {
  const lum::tools::Bytes bytes = lum::tools::BmpBytes(recipe, pixel);
  lum::ByteBuffer file;
  file.Write(bytes.data(), static_cast<int64_t>(bytes.size()));
  file.SaveToFile(path, lum::platform::HostFiles());
}

// Four bands of 32 columns: the red, green, blue and grey levels; on the
// right a near-black block framed by the darkest opaque grey, with white
// dots, so a viewer's transparency colour shows exactly where it applies.
Rgb TestCard(int x, int y, int width, int height) {
  const int rampWidth = 32;
  if (x < rampWidth) {
    switch (y * 4 / height) {
      case 0: return Level(x, 0, 0);
      case 1: return Level(0, x, 0);
      case 2: return Level(0, 0, x);
      default: return Level(x, x, x);
    }
  }
  const bool frame = x == rampWidth || x == width - 1 || y == 0 || y == height - 1;
  if (frame) return Level(1, 1, 1);
  if ((x + y) % 6 == 0) return Level(31, 31, 31);
  return Rgb{3, 2, 5};  // near-black: transparent when the flag is set
}

// A ring on a black ground with a colour wheel inside.
Rgb Ring(int x, int y, int width, int height) {
  const int dx = 2 * x - (width - 1);
  const int dy = 2 * y - (height - 1);
  const int d2 = dx * dx + dy * dy;
  const int outer = (height - 2) * (height - 2);
  const int inner = (height - 12) * (height - 12);
  if (d2 > outer) return Rgb{0, 0, 0};
  if (d2 > inner) return Level(31, 24, 0);
  return Level((x * 31) / (width - 1), (y * 31) / (height - 1), 31 - (x * 31) / (width - 1));
}

// Diagonal colour stripes.
Rgb Stripes(int x, int y) {
  static const Rgb colours[] = {Level(31, 0, 0), Level(31, 31, 0), Level(0, 31, 0), Level(0, 0, 31), Rgb{0, 0, 0}};
  return colours[((x + y) / 4) % 5];
}

void MakeLogos(const std::string& folder) {
  using lum::kSetTransAuto;
  using lum::kSetTransOn;
  SaveLogo(folder, "testcard", DrawnBitmap(50, 30, [](int x, int y) { return TestCard(x, y, 50, 30); }), kSetTransAuto);
  SaveLogo(folder, "ring", DrawnBitmap(50, 30, [](int x, int y) { return Ring(x, y, 50, 30); }), kSetTransAuto);
  // HZN logos keep black opaque under "Auto"; "On" makes the sun's ground transparent.
  SaveLogo(folder, "widecard", DrawnBitmap(54, 34, [](int x, int y) { return TestCard(x, y, 54, 34); }), kSetTransAuto);
  SaveLogo(folder, "sun", DrawnBitmap(54, 34, [](int x, int y) { return Ring(x, y, 54, 34); }), kSetTransOn);
  // No logo kind: still a ".kvx" file, 8 + 2 * 80 * 16 bytes.
  SaveLogo(folder, "banner", DrawnBitmap(80, 16, Stripes), kSetTransAuto);
}

// The same kinds of picture as BMP files of three bit depths.
void MakeBitmaps(const std::string& folder) {
  lum::tools::BmpRecipe recipe;
  recipe.width = 50;
  recipe.height = 30;
  recipe.bitsPerPixel = 24;
  SaveBmp(folder + "ring-24bit.bmp", recipe, [](int x, int y) { return Packed(Ring(x, y, 50, 30)); });

  // 8 bits: the stripes' five colours in a palette, an HZN-sized picture.
  recipe.width = 54;
  recipe.height = 34;
  recipe.bitsPerPixel = 8;
  for (int i = 0; i < 5; ++i) recipe.palette.push_back(Packed(Stripes(4 * i, 0)));
  SaveBmp(folder + "stripes-8bit.bmp", recipe, [](int x, int y) { return ((x + y) / 4) % 5; });

  // 32 bits, rows stored top-down, a size that is no logo kind.
  recipe.width = 40;
  recipe.height = 24;
  recipe.bitsPerPixel = 32;
  recipe.palette.clear();
  recipe.rows = lum::tools::BmpRows::TopDown;
  SaveBmp(folder + "card-32bit.bmp", recipe, [](int x, int y) { return Packed(TestCard(x, y, 40, 24)); });
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_samples <output folder>\n");
    return 2;
  }
  const std::string folder = std::string(argv[1]) + "/";
  try {
    MakeLogos(folder);
    MakeBitmaps(folder);
  } catch (const lum::LumError& failure) {
    std::fprintf(stderr, "make_samples: %s\n", failure.what());
    return 1;
  }
  return 0;
}
