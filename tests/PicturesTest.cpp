#include <gtest/gtest.h>

#include <QImage>

#include "platform/controls/BitBtn.h"
#include "tools/Pictures.h"

namespace lum::test {
namespace {

TEST(Pictures, TheProgramIconIsTheGearWithItsMaskAsQtReadsIt) {
  const QImage icon(QStringLiteral(":/MAINICON"));
  ASSERT_EQ(icon.size(), QSize(32, 32));
  const tools::RgbaImage gear = tools::GearIcon();
  int transparent = 0;
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) {
      const uint32_t expected = gear.pixels[static_cast<size_t>(y * 32 + x)];
      const QRgb shown = icon.pixel(x, y);
      if (expected >> 24 == 0) {
        ++transparent;
        EXPECT_EQ(qAlpha(shown), 0) << x << "," << y;
      } else {
        EXPECT_EQ(shown, expected) << x << "," << y;
      }
    }
  }
  EXPECT_GT(transparent, 0);
  EXPECT_EQ(qAlpha(icon.pixel(16, 16)), 0);  // the hub is open
}

TEST(Pictures, EachGlyphIsTwoPicturesWithTheBottomLeftColourTransparent) {
  struct Case {
    const char* path;
    QRgb transparent;
  };
  for (const Case& glyph : {Case{":/glyphs/SaveBtn.bmp", qRgb(128, 128, 0)}, Case{":/glyphs/ShowBtn.bmp", qRgb(128, 0, 128)}}) {
    const QImage bitmap(QString::fromLatin1(glyph.path));
    ASSERT_EQ(bitmap.size(), QSize(32, 16)) << glyph.path;
    EXPECT_EQ(bitmap.colorCount(), 16);
    EXPECT_EQ(bitmap.color(7), qRgb(127, 127, 127));
    EXPECT_EQ(bitmap.pixel(0, 15), glyph.transparent);

    controls::TBitBtn button(nullptr);
    button.SetNumGlyphs(2);
    button.SetGlyph(bitmap);
    const QImage enabled = button.Glyph(true);
    const QImage disabled = button.Glyph(false);
    ASSERT_EQ(enabled.size(), QSize(16, 16));
    EXPECT_EQ(qAlpha(enabled.pixel(0, 15)), 0);
    EXPECT_NE(enabled, disabled);
    // The disabled picture is grey and white only.
    for (int y = 0; y < 16; ++y) {
      for (int x = 0; x < 16; ++x) {
        const QRgb pixel = disabled.pixel(x, y);
        if (qAlpha(pixel) == 0) continue;
        EXPECT_TRUE(pixel == qRgb(127, 127, 127) || pixel == qRgb(255, 255, 255)) << glyph.path << " " << x << "," << y;
      }
    }
  }
}

}  // namespace
}  // namespace lum::test
