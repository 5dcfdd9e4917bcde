// The installed icon sizes are gear art enlarged pixel for pixel, never
// blurred: 32 and up from the 32 x 32 gear, 16 and 48 from the gear drawn
// for 16 x 16.
#include <QImage>

#include <gtest/gtest.h>

#include "tools/Pictures.h"

namespace lum {
namespace {

using tools::RgbaImage;

// Every pixel of the icon of `size` is the art's pixel under it.
void ExpectEnlarged(int size, const RgbaImage& art) {
  QImage icon;
  const std::string path = std::string(LUM_ICONS_DIR) + "/" + std::to_string(size) + "x" + std::to_string(size) +
                           "/apps/lumiq.png";
  ASSERT_TRUE(icon.load(QString::fromStdString(path), "PNG")) << path;
  ASSERT_EQ(icon.size(), QSize(size, size));
  const int factor = size / art.width;
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      const uint32_t expected = art.pixels[static_cast<size_t>((y / factor) * art.width + x / factor)];
      const QRgb pixel = icon.pixel(x, y);
      if (expected == 0) {
        ASSERT_EQ(qAlpha(pixel), 0) << size << ": " << x << "," << y;
      } else {
        ASSERT_EQ(pixel, expected) << size << ": " << x << "," << y;
      }
    }
  }
}

TEST(IconsTest, EverySizeIsTheGearEnlargedByAWholeFactor) {
  const RgbaImage gear = tools::GearIcon();
  ExpectEnlarged(32, gear);
  ExpectEnlarged(64, gear);
  ExpectEnlarged(128, gear);
  ExpectEnlarged(256, gear);
  // 16 and 48 come from the gear drawn for 16 x 16: 48 is no whole multiple
  // of 32.
  const RgbaImage small = tools::SmallGearIcon();
  ExpectEnlarged(16, small);
  ExpectEnlarged(48, small);
}

}  // namespace
}  // namespace lum
