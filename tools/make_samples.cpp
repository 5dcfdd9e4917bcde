// Draws the sample logos in samples/: test cards that show every one of the
// 32 levels of each channel, opaque black beside transparent pixels, and an
// HZN-sized picture.
//
//   make_samples <output folder>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "codec/ByteBuffer.h"
#include "codec/Errors.h"
#include "codec/LogoFormat.h"

namespace {

using lum::LogoPixel;

LogoPixel Opaque(int r5, int g5, int b5) {
  return static_cast<LogoPixel>(lum::kOpaqueFlag | (r5 << 10) | (g5 << 5) | b5);
}

void WriteLogo(const std::string& path, int width, int height, const std::function<LogoPixel(int, int)>& pixel) {
  std::vector<uint8_t> bytes(static_cast<size_t>(lum::LogoFileSize(width, height)));
  lum::WriteLogoHeader(bytes.data(), {width, height});
  size_t offset = lum::kLogoHeaderSize;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x, offset += 2) lum::WriteBigEndian16(&bytes[offset], pixel(x, y));
  }
  lum::ByteBuffer buffer;
  buffer.Write(bytes.data(), static_cast<int64_t>(bytes.size()));
  buffer.SaveToFile(path);
}

// Rows of eight: the 32 red, green and blue levels and a grey ramp on the
// left; on the right a block of transparent pixels framed by opaque black,
// so a viewer's transparency colour shows exactly where it applies.
LogoPixel TestCard(int x, int y, int width, int height) {
  const int rampWidth = 32;
  if (x < rampWidth) {
    const int band = y * 4 / height;
    switch (band) {
      case 0: return Opaque(x, 0, 0);
      case 1: return Opaque(0, x, 0);
      case 2: return Opaque(0, 0, x);
      default: return Opaque(x, x, x);
    }
  }
  const bool frame = x == rampWidth || x == width - 1 || y == 0 || y == height - 1;
  if (frame) return Opaque(0, 0, 0);
  if ((x + y) % 6 == 0) return Opaque(31, 31, 31);
  return lum::kTransparentPixel;
}

// A ring on a transparent ground with a colour wheel inside.
LogoPixel Ring(int x, int y, int width, int height) {
  const int dx = 2 * x - (width - 1);
  const int dy = 2 * y - (height - 1);
  const int d2 = dx * dx + dy * dy;
  const int outer = (height - 2) * (height - 2);
  const int inner = (height - 12) * (height - 12);
  if (d2 > outer) return lum::kTransparentPixel;
  if (d2 > inner) return Opaque(31, 24, 0);
  return Opaque((x * 31) / (width - 1), (y * 31) / (height - 1), 31 - (x * 31) / (width - 1));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_samples <output folder>\n");
    return 2;
  }
  const std::string folder = std::string(argv[1]) + "/";
  try {
    WriteLogo(folder + "testcard.kvx", 50, 30, [](int x, int y) { return TestCard(x, y, 50, 30); });
    WriteLogo(folder + "ring.kvx", 50, 30, [](int x, int y) { return Ring(x, y, 50, 30); });
    WriteLogo(folder + "widecard.hzn", 54, 34, [](int x, int y) { return TestCard(x, y, 54, 34); });
    WriteLogo(folder + "sun.hzn", 54, 34, [](int x, int y) { return Ring(x, y, 54, 34); });
  } catch (const lum::LumError& failure) {
    std::fprintf(stderr, "make_samples: %s\n", failure.what());
    return 1;
  }
  return 0;
}
