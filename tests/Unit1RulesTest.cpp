#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>

#include "base/Errors.h"
#include "tests/TestSupport.h"
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

TEST(Unit1Rules, ASaveNameThatLeadsToTheFileConvertedIsRefused) {
  TempDir dir;
  WriteFile(dir / "p.bmp", {1, 2, 3});
  ASSERT_EQ(::link((dir / "p.bmp").c_str(), (dir / "p.kvx").c_str()), 0);
  EXPECT_THROW(SaveNameFor(dir / "p.bmp", ".kvx"), EFCreateError);  // a hard link of the bitmap
  EXPECT_THROW(SaveNameFor(dir / "x.bmp", ".bmp"), EFCreateError);  // its own name
  WriteFile(dir / "q.kvx", {1, 2, 3});
  EXPECT_EQ(SaveNameFor(dir / "q.bmp", ".kvx"), dir / "q.kvx");
  EXPECT_EQ(SaveNameFor(dir / "q.kvx", ".bmp"), dir / "q.bmp");
}

}  // namespace
}  // namespace lum::test
