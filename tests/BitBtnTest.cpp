#include <gtest/gtest.h>

#include <QImage>

#include "platform/controls/BitBtn.h"
#include "platform/controls/Control.h"

namespace lum::test {
namespace {

const QRgb kOlive = qRgb(128, 128, 0);
const QRgb kRed = qRgb(255, 0, 0);
const QRgb kBlue = qRgb(0, 0, 255);

// An olive ground with a red square on the left picture and a blue one on
// the right (the disabled) picture.
QImage TwoPictures() {
  QImage bitmap(32, 16, QImage::Format_RGB32);
  bitmap.fill(kOlive);
  for (int y = 4; y < 8; ++y) {
    for (int x = 4; x < 8; ++x) {
      bitmap.setPixel(x, y, kRed);
      bitmap.setPixel(16 + x, y, kBlue);
    }
  }
  return bitmap;
}

struct Found {
  int count = 0;
  QRect box;
};

Found Find(const QImage& image, QRgb colour) {
  Found found;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if ((image.pixel(x, y) & RGB_MASK) != (colour & RGB_MASK)) continue;
      ++found.count;
      found.box |= QRect(x, y, 1, 1);
    }
  }
  return found;
}

TEST(BitBtn, DrawsTheLeftPictureCentredAboveTheCaptionWithTheBottomLeftColourTransparent) {
  controls::TBitBtn button(nullptr);
  controls::SetBounds(button, 0, 0, 113, 49);
  button.SetCaption("Save as *.BMP");
  button.SetNumGlyphs(2);
  button.SetGlyph(TwoPictures());
  const QImage shown = button.grab().toImage();
  EXPECT_EQ(Find(shown, kOlive).count, 0);
  EXPECT_EQ(Find(shown, kBlue).count, 0);
  const Found red = Find(shown, kRed);
  EXPECT_EQ(red.count, 16);
  // The square starts 4 pixels into the 16-pixel picture; the picture is
  // centred, and stands in the upper half, above the caption.
  const int pictureLeft = red.box.left() - 4;
  EXPECT_NEAR(pictureLeft + 8, 113 / 2.0, 1.0);
  EXPECT_LT(red.box.bottom(), 49 / 2);
}

TEST(BitBtn, DrawsTheRightPictureWhileDisabled) {
  controls::TBitBtn button(nullptr);
  controls::SetBounds(button, 0, 0, 113, 49);
  button.SetCaption("Show browser");
  button.SetNumGlyphs(2);
  button.SetGlyph(TwoPictures());
  button.setEnabled(false);
  const QImage shown = button.grab().toImage();
  EXPECT_EQ(Find(shown, kRed).count, 0);
  EXPECT_EQ(Find(shown, kOlive).count, 0);
  EXPECT_EQ(Find(shown, kBlue).count, 16);
}

}  // namespace
}  // namespace lum::test
