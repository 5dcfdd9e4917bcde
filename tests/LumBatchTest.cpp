// The lumbatch program end to end: run the built binary in a temporary
// folder and compare its console lines, exit status and files exactly.
#include <sys/stat.h>
#include <unistd.h>

#include <QImage>

#include <gtest/gtest.h>

#include "batch/LumBatch.h"
#include "tests/TestSupport.h"

namespace lum {
namespace {

using test::Bytes;
using test::FileExists;
using test::Lines;
using test::LogoBytesOf;
using test::ReadFile;
using test::TempDir;
using test::WriteFile;

const std::string kBanner = "lumbatch - converts KVX and HZN logo files to 24-bit BMP files";

uint16_t PatternWord(int x, int y) { return static_cast<uint16_t>(0x8000 | (x % 32) << 10 | (y % 32) << 5 | 7); }
Bytes Kvx() { return LogoBytesOf(50, 30, PatternWord); }
Bytes Hzn() { return LogoBytesOf(54, 34, PatternWord); }

// The 3008-byte file of a logo whose header claims far more than it holds.
Bytes Truncated() {
  Bytes bytes = Kvx();
  bytes[2] = 0x03;  // width 50 + 768
  return bytes;
}

class LumBatchTest : public ::testing::Test {
 protected:
  test::ProgramResult Run(const std::vector<std::string>& arguments, test::RunOptions options = {}) {
    return test::RunProgram(LUMBATCH_PATH, arguments, dir_.Path(), options);
  }
  // The banner, its empty line, then `lines`.
  static std::vector<std::string> Console(std::vector<std::string> lines) {
    lines.insert(lines.begin(), {kBanner, ""});
    return lines;
  }
  // Every pixel of the BMP file, read by Qt, against the pattern.
  void ExpectPattern(const std::string& bmpName, int width, int height) {
    QImage image;
    ASSERT_TRUE(image.load(QString::fromStdString(dir_ / bmpName), "BMP")) << bmpName;
    ASSERT_EQ(image.size(), QSize(width, height));
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        const uint16_t w = PatternWord(x, y);
        ASSERT_EQ(image.pixel(x, y), qRgb((w >> 10 & 31) * 8, (w >> 5 & 31) * 8, (w & 31) * 8)) << x << "," << y;
      }
    }
  }

  TempDir dir_;
};

TEST_F(LumBatchTest, WithoutArgumentsPrintsBannerAndUsage) {
  const auto result = Run({});
  EXPECT_EQ(result.exitStatus, 0);
  EXPECT_EQ(result.output, kBanner + "\n\n" +
                               "usage: lumbatch filename [/i]\n"
                               "  filename  a logo file or a wildcard mask, quoted: 'logos/*.kvx'\n"
                               "  /i        convert files of any size, not only 3008-byte KVX logos\n"
                               "\n");
}

TEST_F(LumBatchTest, MaskMatchingNothingPrintsTheBannerOnly) {
  const auto result = Run({"*.kvx"});
  EXPECT_EQ(result.exitStatus, 0);
  EXPECT_EQ(result.output, kBanner + "\n\n");
  EXPECT_EQ(Run({"sub/?.kvx", "/i"}).output, kBanner + "\n\n");
}

// A name typed without wildcards is meant to be there: its absence fails
// the run with the open failure, naming it.
TEST_F(LumBatchTest, APlainNameThatNamesNoFileFailsNamingIt) {
  const auto missing = [&](const std::string& name) {
    return kBanner + "\n\nDatei " + (dir_ / name) + " kann nicht geöffnet werden. No such file or directory  file: " +
           name + "\n";
  };
  auto result = Run({"missing.kvx"});
  EXPECT_EQ(result.exitStatus, 1);
  EXPECT_EQ(result.output, missing("missing.kvx"));
  // "/i" as the only argument is the name as well as the switch.
  result = Run({"/i"});
  EXPECT_EQ(result.exitStatus, 1);
  EXPECT_EQ(result.output, kBanner + "\n\nDatei /i kann nicht geöffnet werden. No such file or directory  file: /i\n");
  // --help beside another argument is a name too.
  result = Run({"--help", "/i"});
  EXPECT_EQ(result.exitStatus, 1);
  EXPECT_EQ(result.output, missing("--help"));
  // A plain name that is there but not taken stays quiet, as before.
  WriteFile(dir_ / "small.kvx", Bytes(10));
  EXPECT_EQ(Run({"small.kvx"}).output, kBanner + "\n\n");
}

// A plain name in a folder that may be searched but not listed opens, yet
// the walk never finds it: that is no success either.
TEST_F(LumBatchTest, APlainNameInAFolderThatCannotBeListedFailsWithTheReason) {
  ASSERT_EQ(::chmod(dir_.Path().c_str(), 0755), 0);
  ASSERT_EQ(::mkdir((dir_ / "hidden").c_str(), 0755), 0);
  WriteFile(dir_ / "hidden/a.kvx", Kvx());
  ASSERT_EQ(::chmod((dir_ / "hidden").c_str(), ::geteuid() == 0 ? 0711 : 0311), 0);
  test::RunOptions asUser;
  asUser.unprivileged = true;  // root lists any folder
  const auto result = Run({"hidden/a.kvx"}, asUser);
  EXPECT_EQ(result.exitStatus, 1);
  EXPECT_EQ(result.output, kBanner + "\n\nDatei " + (dir_ / "hidden/a.kvx") +
                               " kann nicht geöffnet werden. its folder cannot be listed: Permission denied  file: "
                               "hidden/a.kvx\n");
  EXPECT_FALSE(test::FileExists(dir_ / "hidden/a.bmp"));
}

TEST_F(LumBatchTest, TakesOnlyKvxSizedFilesUnlessToldToIgnoreTheSize) {
  WriteFile(dir_ / "a.kvx", Kvx());
  WriteFile(dir_ / "b.hzn", Hzn());
  WriteFile(dir_ / "c.bmp", Kvx());

  auto result = Run({"*.*"});
  EXPECT_EQ(result.exitStatus, 0);
  EXPECT_EQ(Lines(result.output), Console({"a.kvx => a.bmp"}));
  EXPECT_FALSE(FileExists(dir_ / "b.bmp"));
  ExpectPattern("a.bmp", 50, 30);

  // Only the switch itself counts, not words that merely contain it.
  result = Run({"*.*", "/ix", "--i", "i", "/ i"});
  EXPECT_EQ(Lines(result.output), Console({"a.kvx => a.bmp"}));

  // The switch counts in any letter case and anywhere after the mask.
  for (const std::vector<std::string>& arguments :
       {std::vector<std::string>{"*.*", "/i"}, {"*.*", "/I"}, {"*.*", "x", "-I"}}) {
    result = Run(arguments);
    EXPECT_EQ(Lines(result.output), Console({"a.kvx => a.bmp", "b.hzn => b.bmp"}));
  }
  ExpectPattern("b.bmp", 54, 34);
  EXPECT_EQ(ReadFile(dir_ / "c.bmp"), Kvx());
}

TEST_F(LumBatchTest, SkipsBmpFilesInAnyCaseAndConvertsNamesWithoutExtension) {
  WriteFile(dir_ / "X.BMP", Kvx());
  WriteFile(dir_ / "logo", Kvx());
  WriteFile(dir_ / "art.b.kvx", Kvx());
  const auto result = Run({"*"});
  EXPECT_EQ(Lines(result.output), Console({"art.b.kvx => art.b.bmp", "logo => logo.bmp"}));
  EXPECT_EQ(ReadFile(dir_ / "X.BMP"), Kvx());
  ExpectPattern("logo.bmp", 50, 30);
}

TEST_F(LumBatchTest, NamesCarryTheMasksFolderAndMatchIgnoringCase) {
  ASSERT_EQ(::mkdir((dir_ / "sub").c_str(), 0755), 0);
  WriteFile(dir_ / "sub/b.kvx", Kvx());
  WriteFile(dir_ / "sub/A.KVX", Kvx());
  const auto result = Run({"sub/*.kvx"});
  EXPECT_EQ(Lines(result.output), Console({"sub/A.KVX => sub/A.bmp", "sub/b.kvx => sub/b.bmp"}));

  const auto absolute = Run({dir_ / "sub/a.kvx"});
  EXPECT_EQ(Lines(absolute.output), Console({dir_ / "sub/A.KVX => " + dir_ / "sub/A.bmp"}));
}

TEST_F(LumBatchTest, LaterInputsWithTheSameBaseNameOverwriteTheOutput) {
  WriteFile(dir_ / "a.hzn", Hzn());
  WriteFile(dir_ / "a.kvx", Kvx());
  const auto result = Run({"a.*", "/i"});
  EXPECT_EQ(Lines(result.output), Console({"a.hzn => a.bmp", "a.kvx => a.bmp"}));
  ExpectPattern("a.bmp", 50, 30);
}

TEST_F(LumBatchTest, StopsAtTheFirstFailureAndLeavesTheRestUntouched) {
  for (const char* name : {"a.kvx", "c.kvx", "d.kvx", "e.kvx"}) WriteFile(dir_ / name, Kvx());
  WriteFile(dir_ / "b.kvx", Truncated());
  const auto result = Run({"*.kvx"});
  EXPECT_EQ(result.exitStatus, 1);
  EXPECT_EQ(Lines(result.output), Console({"a.kvx => a.bmp",
                                           "Logo file too short for 818 x 30 pixels: 3008 bytes  file: b.kvx"}));
  for (const char* name : {"b.bmp", "c.bmp", "d.bmp", "e.bmp"}) EXPECT_FALSE(FileExists(dir_ / name)) << name;
  EXPECT_EQ(ReadFile(dir_ / "b.kvx"), Truncated());
}

TEST_F(LumBatchTest, FoldersMatchedUnderIgnoreSizeFailToOpenButDotsAreSkipped) {
  WriteFile(dir_ / "a.kvx", Kvx());
  ASSERT_EQ(::mkdir((dir_ / "z.kvx").c_str(), 0755), 0);
  const auto result = Run({"*", "/i"});
  EXPECT_EQ(result.exitStatus, 1);
  EXPECT_EQ(Lines(result.output),
            Console({"a.kvx => a.bmp",
                     "Datei " + dir_ / "z.kvx" + " kann nicht geöffnet werden. Is a directory  file: z.kvx"}));
}

// File systems such as btrfs report a folder's size; one of 3008 bytes is
// still no KVX logo.
TEST(LumBatchWalk, AFolderCountsAsSizeZeroSoOnlyIgnoreSizeTakesIt) {
  platform::DirectoryEntry folder;
  folder.name = "d.kvx";
  folder.size = 3008;
  folder.isDirectory = true;
  EXPECT_FALSE(IsEligibleEntry(folder, false));
  EXPECT_TRUE(IsEligibleEntry(folder, true));
  platform::DirectoryEntry file = folder;
  file.isDirectory = false;
  EXPECT_TRUE(IsEligibleEntry(file, false));
}

}  // namespace
}  // namespace lum
