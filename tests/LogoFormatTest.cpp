#include <gtest/gtest.h>

#include "codec/LogoFormat.h"

namespace lum {
namespace {

TEST(LogoFormat, HeaderFieldsAreReadBigEndianAndSigned) {
  const uint8_t kvx[8] = {0x00, 0x00, 0x00, 0x32, 0x00, 0x00, 0x00, 0x1E};
  EXPECT_EQ(ReadLogoHeader(kvx).width, 50);
  EXPECT_EQ(ReadLogoHeader(kvx).height, 30);

  const uint8_t negative[8] = {0xFF, 0xFF, 0xFF, 0xFF, 0x80, 0x00, 0x00, 0x00};
  EXPECT_EQ(ReadLogoHeader(negative).width, -1);
  EXPECT_EQ(ReadLogoHeader(negative).height, INT32_MIN);
}

TEST(LogoFormat, HeaderIsWrittenMostSignificantByteFirst) {
  uint8_t bytes[8];
  WriteLogoHeader(bytes, {54, 34});
  const uint8_t expected[8] = {0, 0, 0, 54, 0, 0, 0, 34};
  EXPECT_EQ(0, memcmp(bytes, expected, 8));
  EXPECT_EQ(SwapBytes32(0x11223344u), 0x44332211u);
  EXPECT_EQ(SwapBytes16(0x8001), 0x0180);
}

TEST(LogoFormat, BothLogoKindsAreKnownByTheirExactSize) {
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

TEST(LogoFormat, TheSizeLabelNamesTheKindForTheViewer) {
  EXPECT_EQ(SizeLabelText(50, 30), "50 x 30  (KVX compatible)");
  EXPECT_EQ(SizeLabelText(54, 34), "54 x 34  (HZN compatible)");
  EXPECT_EQ(SizeLabelText(30, 50), "30 x 50  (no logo recognized)");
  EXPECT_EQ(SizeLabelText(0, 0), "(no logo recognized)");
  EXPECT_EQ(SizeLabelText(-1, 3), "-1 x 3  (no logo recognized)");
}

}  // namespace
}  // namespace lum
