// The encoder on bitmaps drawn in memory: the pixel packing, the
// transparency rule, the logo file's bytes and the output naming.
#include <functional>

#include <gtest/gtest.h>

#include "base/Errors.h"
#include "codec/Encoder.h"
#include "tests/TestSupport.h"

namespace lum {
namespace {

using test::Bytes;

// A bitmap drawn by a function, counting the pixel reads.
class DrawnBitmap : public SourceBitmap {
 public:
  DrawnBitmap(int32_t width, int32_t height, std::function<Rgb(int, int)> draw)
      : width_(width), height_(height), draw_(std::move(draw)) {
    if (width > 0 && height > 0 && int64_t{width} * height <= kCounted) reads_.resize(static_cast<size_t>(width * height));
  }
  int32_t Width() const override { return width_; }
  int32_t Height() const override { return height_; }
  Rgb PixelColour(int32_t x, int32_t y) const override {
    EXPECT_TRUE(x >= 0 && x < width_ && y >= 0 && y < height_) << x << "," << y;
    if (!reads_.empty()) ++reads_[static_cast<size_t>(y) * width_ + x];
    return draw_(x, y);
  }
  bool EachPixelReadOnce() const {
    for (const int n : reads_) {
      if (n != 1) return false;
    }
    return true;
  }

 private:
  static constexpr int64_t kCounted = 1 << 20;  // reads are counted in bitmaps up to this size
  int32_t width_, height_;
  std::function<Rgb(int, int)> draw_;
  mutable std::vector<int> reads_;
};

// Near-black (every channel below 8) on the even columns, a colour elsewhere.
Rgb Striped(int x, int y) {
  if (x % 2 == 0) return Rgb{static_cast<uint8_t>(y % 8), 7, static_cast<uint8_t>(x % 8)};
  return Rgb{static_cast<uint8_t>(8 * (x % 32)), static_cast<uint8_t>(8 * (y % 32)), 0xFF};
}

uint16_t WordAt(const ByteBuffer& buffer, int32_t width, int x, int y) {
  return ReadBigEndian16(buffer.Data() + kLogoHeaderSize + 2 * (static_cast<int64_t>(y) * width + x));
}

TEST(EncoderTest, PixelsKeepTheTopFiveBitsAndOnlyNearBlackBecomesTransparent) {
  struct Case {
    Rgb colour;
    LogoPixel flagClear, flagSet;
  };
  const Case cases[] = {
      {{0, 0, 0}, 0x8000, 0x0000},       {{7, 7, 7}, 0x8000, 0x0000},       {{8, 0, 0}, 0x8400, 0x8400},
      {{0, 8, 0}, 0x8020, 0x8020},       {{0, 0, 8}, 0x8001, 0x8001},       {{255, 0, 0}, 0xFC00, 0xFC00},
      {{0, 255, 0}, 0x83E0, 0x83E0},     {{0, 0, 255}, 0x801F, 0x801F},     {{255, 255, 255}, 0xFFFF, 0xFFFF},
      {{7, 7, 8}, 0x8001, 0x8001},       {{15, 23, 31}, 0x8443, 0x8443},  // rounded down, never to nearest
  };
  for (const Case& c : cases) {
    const std::string colour = std::to_string(c.colour.red) + "," + std::to_string(c.colour.green) + "," +
                               std::to_string(c.colour.blue);
    EXPECT_EQ(PackLogoPixel(c.colour, false), c.flagClear) << colour;
    EXPECT_EQ(PackLogoPixel(c.colour, true), c.flagSet) << colour;
  }
}

TEST(EncoderTest, AutoTransparencyIsForTheKvxSizeOnlyAndOnAndUitOverride) {
  struct Size {
    int32_t width, height;
    bool autoFlag;
  };
  const Size sizes[] = {{50, 30, true}, {54, 34, false}, {30, 50, false}, {100, 60, false}, {0, 0, false}};
  for (const Size& size : sizes) {
    for (const int index : {-1, int{kSetTransAuto}, 3, 100}) {  // outside the choice: as "Auto"
      EXPECT_EQ(TransparencyFlag(index, size.width, size.height), size.autoFlag)
          << index << " " << size.width << "x" << size.height;
    }
    EXPECT_TRUE(TransparencyFlag(kSetTransOn, size.width, size.height));
    EXPECT_FALSE(TransparencyFlag(kSetTransOff, size.width, size.height));
  }
}

TEST(EncoderTest, KvxIsTheBigEndianHeaderThenRowsFromTheTopLeft) {
  DrawnBitmap bitmap(50, 30, Striped);
  ByteBuffer buffer;
  EncodeLogo(bitmap, true, buffer);
  ASSERT_EQ(buffer.Size(), 3008);
  EXPECT_EQ(buffer.Position(), 3008);
  EXPECT_EQ(Bytes(buffer.Data(), buffer.Data() + 8), (Bytes{0, 0, 0, 0x32, 0, 0, 0, 0x1E}));
  EXPECT_TRUE(bitmap.EachPixelReadOnce());
  for (int y = 0; y < 30; ++y) {
    for (int x = 0; x < 50; ++x) {
      const LogoPixel expected = x % 2 == 0 ? kTransparentPixel : PackLogoPixel(Striped(x, y), true);
      ASSERT_EQ(WordAt(buffer, 50, x, y), expected) << x << "," << y;
    }
  }
  // The first word after the header is the top-left pixel.
  DrawnBitmap marked(50, 30, [](int x, int y) { return x == 0 && y == 0 ? Rgb{255, 0, 0} : Rgb{0, 0, 255}; });
  EncodeLogo(marked, true, buffer);
  EXPECT_EQ(buffer.Data()[8], 0xFC);
  EXPECT_EQ(buffer.Data()[9], 0x00);
}

TEST(EncoderTest, FileSizesFollowTheBitmapsOwnSize) {
  struct Size {
    int32_t width, height;
    int64_t fileSize;
  };
  for (const Size size : {Size{50, 30, 3008}, {54, 34, 3680}, {100, 60, 12008}, {64, 64, 8200}, {1, 1, 10},
                          {0, 0, 8}, {0, 5, 8}, {7, 0, 8}}) {
    DrawnBitmap bitmap(size.width, size.height, Striped);
    ByteBuffer buffer;
    buffer.Write("stale contents", 14);
    buffer.Seek(3, SeekOrigin::Begin);
    EncodeLogo(bitmap, false, buffer);
    EXPECT_EQ(buffer.Size(), size.fileSize) << size.width << "x" << size.height;
    EXPECT_EQ(buffer.Position(), size.fileSize);
    EXPECT_EQ(ReadLogoHeader(buffer.Data()).width, size.width);
    EXPECT_EQ(ReadLogoHeader(buffer.Data()).height, size.height);
    EXPECT_TRUE(bitmap.EachPixelReadOnce());
  }
}

TEST(EncoderTest, FlagClearKeepsBlackOpaqueAndEveryWordHasBit15) {
  DrawnBitmap bitmap(54, 34, Striped);
  ByteBuffer buffer;
  EncodeLogo(bitmap, TransparencyFlag(kSetTransAuto, 54, 34), buffer);
  ASSERT_EQ(buffer.Size(), 3680);
  for (int y = 0; y < 34; ++y) {
    for (int x = 0; x < 54; ++x) ASSERT_TRUE(WordAt(buffer, 54, x, y) & kOpaqueFlag) << x << "," << y;
  }
  EXPECT_EQ(WordAt(buffer, 54, 0, 0), 0x8000);

  // The same HZN bitmap under "On" turns its near-black pixels transparent.
  EncodeLogo(bitmap, TransparencyFlag(kSetTransOn, 54, 34), buffer);
  EXPECT_EQ(WordAt(buffer, 54, 0, 0), kTransparentPixel);
  EXPECT_EQ(WordAt(buffer, 54, 1, 0), PackLogoPixel(Striped(1, 0), false));
}

TEST(EncoderTest, ABufferThatCannotGrowReportsTheStreamMessage) {
  DrawnBitmap huge(0x7FFFFFFF, 0x7FFFFFFF, Striped);
  ByteBuffer buffer;
  try {
    EncodeLogo(huge, false, buffer);
    FAIL() << "no failure";
  } catch (const EOutOfMemory& failure) {
    EXPECT_STREQ(failure.what(), "Expandieren des Speicher-Stream wegen Speichermangel nicht möglich");
  }
}

TEST(EncoderTest, LogoNamesTakeTheExtensionOfTheirSizeClass) {
  EXPECT_EQ(LogoNameFor("C:\\logos\\cup.bmp", 54, 34, kWindowsSeparators), "C:\\logos\\cup.hzn");
  EXPECT_EQ(LogoNameFor("C:\\my.dir\\cup", 50, 30, kWindowsSeparators), "C:\\my.dir\\cup.kvx");
  EXPECT_EQ(LogoNameFor("C:cup", 50, 30, kWindowsSeparators), "C:cup.kvx");
  EXPECT_EQ(LogoNameFor("logos/cup.BMP", 54, 34), "logos/cup.hzn");
  EXPECT_EQ(LogoNameFor("my.dir/cup", 50, 30), "my.dir/cup.kvx");
  EXPECT_EQ(LogoNameFor("a.b.bmp", 100, 60), "a.b.kvx");
  EXPECT_EQ(LogoNameFor("square.bmp", 64, 64), "square.kvx");
  EXPECT_EQ(LogoNameFor("swapped.bmp", 34, 54), "swapped.kvx");
  EXPECT_EQ(LogoNameFor("empty.bmp", 0, 0), "empty.kvx");
  // On this host "\" is an ordinary character of a file name.
  EXPECT_EQ(LogoNameFor("my.dir\\cup", 50, 30), "my.kvx");
}

}  // namespace
}  // namespace lum
