#include <gtest/gtest.h>

#include <QImage>

#include "platform/controls/Control.h"
#include "platform/controls/Image.h"

namespace lum::test {
namespace {

// Red, green / blue, white.
QImage FourPixels() {
  QImage image(2, 2, QImage::Format_RGB32);
  image.setPixel(0, 0, qRgb(255, 0, 0));
  image.setPixel(1, 0, qRgb(0, 255, 0));
  image.setPixel(0, 1, qRgb(0, 0, 255));
  image.setPixel(1, 1, qRgb(255, 255, 255));
  return image;
}

TEST(Image, StretchedReplicatesEveryPixelWithoutSmoothing) {
  controls::TImage image(nullptr);
  controls::SetBounds(image, 0, 0, 8, 8);
  image.SetStretch(true);
  image.SetPicture(FourPixels());
  const QImage shown = image.grab().toImage();
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 8; ++x) {
      EXPECT_EQ(shown.pixel(x, y), FourPixels().pixel(x / 4, y / 4)) << x << "," << y;
    }
  }
}

TEST(Image, UnstretchedDrawsThePictureAtTheTopLeftAndLeavesTheRest) {
  controls::TImage image(nullptr);
  controls::SetBounds(image, 0, 0, 6, 6);
  const QImage empty = image.grab().toImage();
  image.SetPicture(FourPixels());
  const QImage shown = image.grab().toImage();
  EXPECT_EQ(shown.pixel(0, 0), qRgb(255, 0, 0));
  EXPECT_EQ(shown.pixel(1, 1), qRgb(255, 255, 255));
  EXPECT_EQ(shown.pixel(2, 2), empty.pixel(2, 2));
  EXPECT_EQ(shown.pixel(5, 0), empty.pixel(5, 0));
}

TEST(Image, AnUnevenStretchRepeatsSourcePixelsByNearestNeighbour) {
  QImage row(3, 1, QImage::Format_RGB32);
  row.setPixel(0, 0, qRgb(1, 1, 1));
  row.setPixel(1, 0, qRgb(2, 2, 2));
  row.setPixel(2, 0, qRgb(3, 3, 3));
  const QImage stretched = controls::ReplicatePixels(row, QSize(5, 1));
  std::vector<int> reds;
  for (int x = 0; x < 5; ++x) reds.push_back(qRed(stretched.pixel(x, 0)));
  EXPECT_EQ(reds, (std::vector<int>{1, 1, 2, 2, 3}));
}

}  // namespace
}  // namespace lum::test
