#include <gtest/gtest.h>

#include "codec/FileNames.h"

namespace lum {
namespace {

TEST(FileNames, ExtensionIsTheLastDotOfTheLastName) {
  EXPECT_EQ(ExtractFileExt("logo.kvx"), ".kvx");
  EXPECT_EQ(ExtractFileExt("a.b.KVX"), ".KVX");
  EXPECT_EQ(ExtractFileExt("logo"), "");
  EXPECT_EQ(ExtractFileExt("my.dir/cup"), "");
  EXPECT_EQ(ExtractFileExt(".hidden"), ".hidden");
  EXPECT_EQ(ExtractFileExt("trailing."), ".");
}

TEST(FileNames, ReplacingTheExtensionKeepsFoldersWithDots) {
  EXPECT_EQ(ChangeFileExt("a.kvx", ".bmp"), "a.bmp");
  EXPECT_EQ(ChangeFileExt("a.b.kvx", ".bmp"), "a.b.bmp");
  EXPECT_EQ(ChangeFileExt("logo", ".bmp"), "logo.bmp");
  EXPECT_EQ(ChangeFileExt("/my.dir/cup", ".kvx"), "/my.dir/cup.kvx");
  EXPECT_EQ(ChangeFileExt("logos/X.BMP", ".hzn"), "logos/X.hzn");
}

TEST(FileNames, DesktopSeparatorsAreAvailableAndOrdinaryCharactersHere) {
  EXPECT_EQ(ChangeFileExt("C:\\my.dir\\cup", ".kvx", kWindowsSeparators), "C:\\my.dir\\cup.kvx");
  EXPECT_EQ(ChangeFileExt("C:\\logos\\cup.bmp", ".hzn", kWindowsSeparators), "C:\\logos\\cup.hzn");
  EXPECT_EQ(ExtractFileExt("C:cup", kWindowsSeparators), "");
  EXPECT_EQ(ExtractFilePath("C:\\logos\\a.kvx", kWindowsSeparators), "C:\\logos\\");
  EXPECT_EQ(ExtractFilePath("C:a.kvx", kWindowsSeparators), "C:");
  EXPECT_EQ(ExtractFilePath("logos/a.kvx", kWindowsSeparators), "");

  // On this host "\" and ":" belong to the name.
  EXPECT_EQ(ExtractFileExt("my.dir\\cup"), ".dir\\cup");
  EXPECT_EQ(ExtractFilePath("C:\\logos\\a.kvx"), "");
  EXPECT_EQ(ExtractFilePath("logos/sub/a.kvx"), "logos/sub/");
  EXPECT_EQ(ExtractFilePath("/a.kvx"), "/");
}

TEST(FileNames, LowerCaseTouchesOnlyAsciiLetters) {
  EXPECT_EQ(LowerCase("X.BMP"), "x.bmp");
  EXPECT_EQ(LowerCase("/I"), "/i");
  const std::string latin1 = "\xC4\xD6.KVX";  // not UTF-8
  EXPECT_EQ(LowerCase(latin1), "\xC4\xD6.kvx");
  EXPECT_EQ(LowerCase("\xC3\x84"), "\xC3\x84");
}

}  // namespace
}  // namespace lum
