// What the bitmap loader reads from a BMP file's first bytes before it
// allocates anything.
#include <gtest/gtest.h>

#include "codec/BmpImage.h"
#include "tools/BmpBuilder.h"

namespace lum {
namespace {

using tools::BmpBytes;
using tools::BmpRecipe;
using tools::Bytes;

TEST(BmpImageTest, TheSizeIsReadFromEveryHeaderKind) {
  BmpRecipe recipe;
  recipe.width = 33;
  recipe.height = 5;
  recipe.bitsPerPixel = 1;
  recipe.palette = {0x000000, 0xFFFFFF};
  Bytes bytes = BmpBytes(recipe, [](int, int) { return 1; });
  auto layout = PeekBmpLayout(bytes.data(), 54);  // the headers alone
  ASSERT_TRUE(layout);
  EXPECT_EQ(layout->width, 33);
  EXPECT_EQ(layout->height, 5);
  EXPECT_EQ(layout->bitsPerPixel, 1);
  EXPECT_FALSE(layout->compressed);
  EXPECT_EQ(layout->pixelDataOffset, 62);
  EXPECT_EQ(layout->PixelDataEnd(), 62 + 5 * 8);  // 33 bits need two 32-bit words a row
  EXPECT_EQ(layout->PixelDataEnd(), static_cast<int64_t>(bytes.size()));

  recipe.bitsPerPixel = 24;
  recipe.palette.clear();
  recipe.rows = tools::BmpRows::TopDown;
  bytes = BmpBytes(recipe, [](int, int) { return 0; });
  layout = PeekBmpLayout(bytes.data(), bytes.size());
  EXPECT_EQ(layout->height, -5);
  EXPECT_EQ(layout->PixelCount(), 165);
  EXPECT_EQ(layout->PixelDataEnd(), static_cast<int64_t>(bytes.size()));

  // The old 12-byte header has 16-bit sizes and a palette of 3-byte entries.
  const Bytes core = {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 26, 0, 0, 0, 12, 0, 0, 0, 0xFF, 0xFF, 0x02, 0x00, 1, 0, 8, 0};
  layout = PeekBmpLayout(core.data(), core.size());
  ASSERT_TRUE(layout);
  EXPECT_EQ(layout->width, 65535);
  EXPECT_EQ(layout->height, 2);
  EXPECT_EQ(layout->pixelDataOffset, 26 + 3 * 256);
}

TEST(BmpImageTest, DataOffsetNeverPointsIntoTheHeaders) {
  BmpRecipe recipe;
  recipe.width = 4;
  recipe.height = 4;
  recipe.bitsPerPixel = 8;
  recipe.palette = {0x102030, 0x405060, 0x708090};
  Bytes bytes = BmpBytes(recipe, [](int x, int) { return x % 3; });
  bytes[10] = 0;  // an offset of 0 would point at the file header
  const auto layout = PeekBmpLayout(bytes.data(), bytes.size());
  EXPECT_EQ(layout->pixelDataOffset, 54 + 3 * 4);
  bytes[10] = 200;  // a later offset counts as given
  EXPECT_EQ(PeekBmpLayout(bytes.data(), bytes.size())->pixelDataOffset, 200);
}

TEST(BmpImageTest, WhatIsNoBmpHeaderIsRefusedAndAbsurdSizesSaturate) {
  const Bytes text(64, 'x');
  EXPECT_FALSE(PeekBmpLayout(text.data(), text.size()));
  BmpRecipe recipe;
  recipe.width = 2;
  recipe.height = 2;
  const Bytes bytes = BmpBytes(recipe, [](int, int) { return 0; });
  EXPECT_FALSE(PeekBmpLayout(bytes.data(), 25));
  EXPECT_TRUE(PeekBmpLayout(bytes.data(), 54));

  Bytes huge = bytes;
  for (const size_t offset : {18, 22}) huge[offset + 3] = 0x80;  // -2^31 + 2 each
  huge[28] = 0xFF;                                               // 255 bits a pixel
  const auto layout = PeekBmpLayout(huge.data(), huge.size());
  EXPECT_GT(layout->PixelCount(), int64_t{1} << 61);
  EXPECT_EQ(layout->PixelDataEnd(), INT64_MAX);
}

}  // namespace
}  // namespace lum
