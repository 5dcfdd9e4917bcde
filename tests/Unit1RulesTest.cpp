#include <gtest/gtest.h>

#include <filesystem>

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
  const TCommandLine both = ReadCommandLine({"/first.kvx", "-S", "/x/last.kvx"});
  EXPECT_TRUE(both.singleFileMode);
  EXPECT_EQ(both.file, "/x/last.kvx");
  EXPECT_TRUE(ReadCommandLine({"/s"}).singleFileMode);
  EXPECT_EQ(ReadCommandLine({"/s"}).file, "");
  EXPECT_FALSE(ReadCommandLine({"/sx"}).singleFileMode);
}

TEST(Unit1Rules, OnlyRelativeNamesAreMadeAbsoluteAndByTheirNamesAlone) {
  const std::string cwd = std::filesystem::current_path().native();
  EXPECT_EQ(ReadCommandLine({"logos/a.kvx"}).file, cwd + "/logos/a.kvx");
  EXPECT_EQ(ReadCommandLine({"./x/../a.kvx"}).file, cwd + "/a.kvx");
  EXPECT_EQ(ReadCommandLine({"logo\xff.kvx"}).file, cwd + "/logo\xff.kvx");
  EXPECT_EQ(ReadCommandLine({"/abs//dir/../a.kvx"}).file, "/abs//dir/../a.kvx");
}

}  // namespace
}  // namespace lum::test
