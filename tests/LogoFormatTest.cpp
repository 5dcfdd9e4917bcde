#include <gtest/gtest.h>

#include "codec/Decoder.h"
#include "codec/LogoFormat.h"

namespace lum {
namespace {

TEST(LogoHeader, ReadsBigEndianSignedFields) {
  const uint8_t kvx[8] = {0x00, 0x00, 0x00, 0x32, 0x00, 0x00, 0x00, 0x1E};
  EXPECT_EQ(ReadLogoHeader(kvx).width, 50);
  EXPECT_EQ(ReadLogoHeader(kvx).height, 30);

  const uint8_t negative[8] = {0xFF, 0xFF, 0xFF, 0xFF, 0x80, 0x00, 0x00, 0x00};
  EXPECT_EQ(ReadLogoHeader(negative).width, -1);
  EXPECT_EQ(ReadLogoHeader(negative).height, INT32_MIN);
}

TEST(LogoHeader, WritesMostSignificantByteFirst) {
  uint8_t bytes[8];
  WriteLogoHeader(bytes, {54, 34});
  const uint8_t expected[8] = {0, 0, 0, 54, 0, 0, 0, 34};
  EXPECT_EQ(0, memcmp(bytes, expected, 8));
  EXPECT_EQ(SwapBytes32(0x11223344u), 0x44332211u);
  EXPECT_EQ(SwapBytes16(0x8001), 0x0180);
}

TEST(SizeClass, RecognisesBothLogoKindsByExactSize) {
  EXPECT_EQ(ClassifySize(50, 30), SizeClass::Kvx);
  EXPECT_EQ(ClassifySize(54, 34), SizeClass::Hzn);
  EXPECT_EQ(ClassifySize(0, 0), SizeClass::None);
  EXPECT_EQ(ClassifySize(30, 50), SizeClass::Other);
  EXPECT_EQ(ClassifySize(34, 54), SizeClass::Other);
  EXPECT_EQ(ClassifySize(0, 30), SizeClass::Other);
  EXPECT_EQ(ClassifySize(-50, -30), SizeClass::Other);

  EXPECT_STREQ(SizeClassExtension(SizeClass::Hzn), ".hzn");
  for (SizeClass other : {SizeClass::Kvx, SizeClass::None, SizeClass::Other}) {
    EXPECT_STREQ(SizeClassExtension(other), ".kvx");
  }
  EXPECT_EQ(LogoFileSize(50, 30), 3008);
  EXPECT_EQ(LogoFileSize(54, 34), 3680);
  EXPECT_EQ(LogoFileSize(0, 0), 8);
}

TEST(SizeClass, LabelsTheSizeForTheViewer) {
  EXPECT_EQ(SizeLabelText(50, 30), "50 x 30  (KVX compatible)");
  EXPECT_EQ(SizeLabelText(54, 34), "54 x 34  (HZN compatible)");
  EXPECT_EQ(SizeLabelText(30, 50), "30 x 50  (no logo recognized)");
  EXPECT_EQ(SizeLabelText(0, 0), "(no logo recognized)");
  EXPECT_EQ(SizeLabelText(-1, 3), "-1 x 3  (no logo recognized)");
}

TEST(PixelWord, ExpandsFiveBitChannelsWithThreeZeroBits) {
  auto expect = [](LogoPixel word, uint8_t red, uint8_t green, uint8_t blue) {
    const Rgb colour = ExpandLogoPixel(word);
    EXPECT_EQ(colour.red, red) << std::hex << word;
    EXPECT_EQ(colour.green, green) << std::hex << word;
    EXPECT_EQ(colour.blue, blue) << std::hex << word;
  };
  expect(0x7C00, 0xF8, 0, 0);
  expect(0x03E0, 0, 0xF8, 0);
  expect(0x001F, 0, 0, 0xF8);
  expect(0xFFFF, 0xF8, 0xF8, 0xF8);
  expect(0x7FFF, 0xF8, 0xF8, 0xF8);  // bit 15 takes no part
  expect(0x8000, 0, 0, 0);
  expect(0x8421, 8, 8, 8);
}

TEST(TransparencyColours, FollowTheViewersChoiceAndFallBackToBlack) {
  const Rgb expected[kTransparencyColourCount] = {
      {0, 0, 0},      {8, 40, 88},    {8, 88, 32},   {88, 8, 40},   {32, 32, 32},
      {255, 255, 255}, {24, 56, 120}, {24, 120, 56}, {120, 24, 56}, {48, 48, 48}};
  for (int i = 0; i < kTransparencyColourCount; ++i) {
    EXPECT_EQ(TransparencyColour(i).red, expected[i].red) << i;
    EXPECT_EQ(TransparencyColour(i).green, expected[i].green) << i;
    EXPECT_EQ(TransparencyColour(i).blue, expected[i].blue) << i;
  }
  for (int outside : {-1, 10, 1000, INT32_MIN}) {
    const Rgb colour = TransparencyColour(outside);
    EXPECT_EQ(colour.red + colour.green + colour.blue, 0) << outside;
  }
}

}  // namespace
}  // namespace lum
