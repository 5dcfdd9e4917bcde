#include <gtest/gtest.h>

#include "viewer/Unit1Rules.h"

namespace lum::test {
namespace {

TEST(Unit1Rules, EachModeListsItsOwnExtensionsInAnyCase) {
  EXPECT_TRUE(IsWantedFileName("/a/LOGO.KVX", kLogoToBmp));
  EXPECT_TRUE(IsWantedFileName("/a/x.Hzn", kLogoToBmp));
  EXPECT_FALSE(IsWantedFileName("/a/logo.kvx.bak", kLogoToBmp));
  EXPECT_FALSE(IsWantedFileName("/a.kvx/logo", kLogoToBmp));
  EXPECT_FALSE(IsWantedFileName("/a/logo.bmp", kLogoToBmp));
  EXPECT_TRUE(IsWantedFileName("/a/P.BmP", kBmpToLogo));
  EXPECT_FALSE(IsWantedFileName("/a/p.kvx", kBmpToLogo));
  EXPECT_FALSE(IsWantedFileName("/a/p.bmp", -1));
}

TEST(Unit1Rules, TheLastFileCountsAndTheSwitchIsFoundInAnyCaseAndEitherForm) {
  const TCommandLine both = ReadCommandLine({"/first.kvx", "-S", "/x/last.kvx"}, "/cwd");
  EXPECT_TRUE(both.singleFileMode);
  EXPECT_EQ(both.file, "/x/last.kvx");
  EXPECT_TRUE(ReadCommandLine({"/s"}, "/cwd").singleFileMode);
  EXPECT_EQ(ReadCommandLine({"/s"}, "/cwd").file, "");
  EXPECT_FALSE(ReadCommandLine({"/sx"}, "/cwd").singleFileMode);
}

TEST(Unit1Rules, RelativeNamesAreMadeAbsoluteByTheirNamesAlone) {
  EXPECT_EQ(AbsoluteFileName("logos/a.kvx", "/home/u"), "/home/u/logos/a.kvx");
  EXPECT_EQ(AbsoluteFileName("./x/../a.kvx", "/home/u"), "/home/u/a.kvx");
  EXPECT_EQ(AbsoluteFileName("../../../a.kvx", "/home/u"), "/a.kvx");
  EXPECT_EQ(AbsoluteFileName("/abs//dir/./a.kvx", "/home/u"), "/abs/dir/a.kvx");
  EXPECT_EQ(AbsoluteFileName("logo\xff.kvx", "/"), "/logo\xff.kvx");
}

}  // namespace
}  // namespace lum::test
