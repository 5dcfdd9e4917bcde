// Writes the program icon for the hicolor theme, drawn from the gear art:
//   make_icons <folder>
// gives <folder>/<n>x<n>/apps/lumiq.png for n = 16, 32, 48, 64, 128, 256.
// Every size is the art enlarged by a whole factor, pixel for pixel, so no
// size is blurred: 32, 64, 128 and 256 are the 32 × 32 gear ×1, ×2, ×4
// and ×8; 16 and 48 are the 16 × 16 gear ×1 and ×3, since 48 is no whole
// multiple of 32 and halving the large gear would break its outline.
#include <QImage>
#include <QString>

#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

#include "tools/Pictures.h"

namespace {

using lum::tools::RgbaImage;

QImage Enlarged(const RgbaImage& art, int factor) {
  QImage image(art.width * factor, art.height * factor, QImage::Format_ARGB32);
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      image.setPixel(x, y, art.pixels[static_cast<size_t>((y / factor) * art.width + x / factor)]);
    }
  }
  return image;
}

bool Write(const std::string& folder, int size, const RgbaImage& art) {
  const std::string sizeFolder = folder + "/" + std::to_string(size) + "x" + std::to_string(size) + "/apps";
  std::error_code error;
  std::filesystem::create_directories(sizeFolder, error);
  const std::string path = sizeFolder + "/lumiq.png";
  if (error || !Enlarged(art, size / art.width).save(QString::fromStdString(path), "png")) {
    std::fprintf(stderr, "make_icons: cannot write %s\n", path.c_str());
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_icons <folder>\n");
    return 2;
  }
  const std::string folder = argv[1];
  const RgbaImage gear = lum::tools::GearIcon();
  const RgbaImage small = lum::tools::SmallGearIcon();
  const bool written = Write(folder, 16, small) && Write(folder, 32, gear) && Write(folder, 48, small) &&
                       Write(folder, 64, gear) && Write(folder, 128, gear) && Write(folder, 256, gear);
  return written ? 0 : 1;
}
