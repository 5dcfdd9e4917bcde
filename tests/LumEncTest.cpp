// The lumenc program end to end: run the built binary in a temporary folder
// on BMP files of several bit depths and compare its console lines, exit
// status and the logo files' words exactly.
#include <sys/stat.h>
#include <unistd.h>

#include <QImage>

#include <gtest/gtest.h>

#include "tools/BmpBuilder.h"
#include "tests/TestSupport.h"

namespace lum {
namespace {

using tools::BmpBytes;
using tools::BmpRecipe;
using test::Bytes;
using test::FileExists;
using test::Lines;
using test::ReadFile;
using test::TempDir;
using test::WriteFile;

const std::string kBanner = "lumenc - converts BMP files to KVX and HZN logo files";

// The top-left pixel is black and its neighbour near-black (7, 7, 7); the
// rest are colours whose channels are multiples of eight.
uint32_t Picture(int x, int y) {
  if (y == 0 && x == 0) return 0x000000;
  if (y == 0 && x == 1) return 0x070707;
  return static_cast<uint32_t>(8 * (x % 32)) << 16 | static_cast<uint32_t>(8 * (y % 32)) << 8 | 0xF8;
}

// The logo word of a colour 0xRRGGBB, written out independently of the
// encoder: five bits a channel, bit 15 set, 0 for near-black when
// transparent.
uint16_t Word(uint32_t rgb, bool transparent) {
  const unsigned r5 = (rgb >> 19) & 31, g5 = (rgb >> 11) & 31, b5 = (rgb >> 3) & 31;
  if (transparent && r5 == 0 && g5 == 0 && b5 == 0) return 0;
  return static_cast<uint16_t>(0x8000 | r5 << 10 | g5 << 5 | b5);
}

Bytes Bmp24(int width, int height) {
  BmpRecipe recipe;
  recipe.width = width;
  recipe.height = height;
  return BmpBytes(recipe, Picture);
}

// The same picture as an 8-bit file: its few colours in a palette.
Bytes Bmp8(int width, int height) {
  BmpRecipe recipe;
  recipe.width = width;
  recipe.height = height;
  recipe.bitsPerPixel = 8;
  recipe.palette = {Picture(0, 0), Picture(1, 0), 0xF8F8F8, 0x0800F8};
  return BmpBytes(recipe, [](int x, int y) { return y == 0 && x < 2 ? x : 2 + (x + y) % 2; });
}
uint32_t Bmp8Colour(int x, int y) { return y == 0 && x < 2 ? Picture(x, y) : (x + y) % 2 ? 0x0800F8 : 0xF8F8F8; }

Bytes Bmp32(int width, int height) {
  BmpRecipe recipe;
  recipe.width = width;
  recipe.height = height;
  recipe.bitsPerPixel = 32;
  recipe.rows = tools::BmpRows::TopDown;
  return BmpBytes(recipe, Picture);
}

class LumEncTest : public ::testing::Test {
 protected:
  test::ProgramResult Run(const std::vector<std::string>& arguments, test::RunOptions options = {}) {
    return test::RunProgram(LUMENC_PATH, arguments, dir_.Path(), options);
  }
  static std::vector<std::string> Console(std::vector<std::string> lines) {
    lines.insert(lines.begin(), {kBanner, ""});
    return lines;
  }
  // The logo file holds the header for width x height and the word of
  // colour(x, y) for every pixel.
  void ExpectLogo(const std::string& name, int width, int height, const std::function<uint32_t(int, int)>& colour,
                  bool transparent) {
    const Bytes bytes = ReadFile(dir_ / name);
    ASSERT_EQ(bytes.size(), 8 + 2 * static_cast<size_t>(width * height)) << name;
    EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + 8),
              (Bytes{0, 0, 0, static_cast<uint8_t>(width), 0, 0, 0, static_cast<uint8_t>(height)}));
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        const size_t at = 8 + 2 * static_cast<size_t>(y * width + x);
        ASSERT_EQ(bytes[at] << 8 | bytes[at + 1], Word(colour(x, y), transparent)) << name << " " << x << "," << y;
      }
    }
  }
  void WriteThreeSizes() {
    WriteFile(dir_ / "a.bmp", Bmp24(50, 30));
    WriteFile(dir_ / "b.bmp", Bmp8(54, 34));
    WriteFile(dir_ / "c.bmp", Bmp32(64, 64));
  }
  void ExpectThreeSizes(bool kvxTransparent, bool othersTransparent) {
    ExpectLogo("a.kvx", 50, 30, Picture, kvxTransparent);
    ExpectLogo("b.hzn", 54, 34, Bmp8Colour, othersTransparent);
    ExpectLogo("c.kvx", 64, 64, Picture, othersTransparent);
  }

  TempDir dir_;
};

TEST_F(LumEncTest, WithoutArgumentsPrintsBannerAndUsage) {
  const auto result = Run({});
  EXPECT_EQ(result.exitStatus, 0);
  EXPECT_EQ(result.output,
            kBanner + "\n\n" +
                "usage: lumenc filename [/on | /off]\n"
                "  filename  a BMP file or a wildcard mask, quoted: 'pictures/*.bmp'\n"
                "  /on /off  near-black pixels transparent in every image / in none (default: only in 50 x 30 images)\n"
                "\n");
  EXPECT_EQ(Run({"*.bmp"}).output, kBanner + "\n\n");
}

TEST_F(LumEncTest, NamesAndTransparencyFollowTheSizeUnlessASwitchDecides) {
  WriteThreeSizes();
  const auto lines = Console({"a.bmp => a.kvx", "b.bmp => b.hzn", "c.bmp => c.kvx"});
  auto result = Run({"*.bmp"});
  EXPECT_EQ(result.exitStatus, 0);
  EXPECT_EQ(Lines(result.output), lines);
  ExpectThreeSizes(true, false);

  for (const std::vector<std::string>& on : {std::vector<std::string>{"*.bmp", "/on"}, {"*.bmp", "x", "-ON"}, {"*.bmp", "/off", "/On"}}) {
    EXPECT_EQ(Lines(Run(on).output), lines);
    ExpectThreeSizes(true, true);
  }
  for (const std::vector<std::string>& off : {std::vector<std::string>{"*.bmp", "/off"}, {"*.bmp", "/on", "-oFF"}}) {
    EXPECT_EQ(Lines(Run(off).output), lines);
    ExpectThreeSizes(false, false);
  }
}

TEST_F(LumEncTest, TakesOnlyBmpFilesInAnyCaseAndSkipsFolders) {
  WriteFile(dir_ / "UPPER.BMP", Bmp24(50, 30));
  WriteFile(dir_ / "logo.kvx", Bytes(3008, 0x11));
  WriteFile(dir_ / "notes.txt", Bytes(10, 'x'));
  ASSERT_EQ(::mkdir((dir_ / "folder.bmp").c_str(), 0755), 0);
  const auto result = Run({"*.*"});
  EXPECT_EQ(result.exitStatus, 0);
  EXPECT_EQ(Lines(result.output), Console({"UPPER.BMP => UPPER.kvx"}));
  ExpectLogo("UPPER.kvx", 50, 30, Picture, true);
  EXPECT_EQ(ReadFile(dir_ / "logo.kvx"), Bytes(3008, 0x11));
}

TEST_F(LumEncTest, StopsAtTheFirstInvalidBitmapAndLeavesTheRestUntouched) {
  WriteFile(dir_ / "a.bmp", Bmp24(50, 30));
  WriteFile(dir_ / "b.bmp", Bytes(4614, 'x'));
  WriteFile(dir_ / "c.bmp", Bmp24(50, 30));
  const auto result = Run({"*.bmp"});
  EXPECT_EQ(result.exitStatus, 1);
  EXPECT_EQ(Lines(result.output), Console({"a.bmp => a.kvx", "Bitmap ist ungültig  file: b.bmp"}));
  EXPECT_FALSE(FileExists(dir_ / "b.kvx"));
  EXPECT_FALSE(FileExists(dir_ / "c.kvx"));
}

TEST_F(LumEncTest, OverwritesAnExistingLogoAndReportsOneThatCannotBeCreated) {
  WriteFile(dir_ / "a.bmp", Bmp24(50, 30));
  WriteFile(dir_ / "a.kvx", Bytes(9000, 0xEE));
  EXPECT_EQ(Run({"a.bmp"}).exitStatus, 0);
  ExpectLogo("a.kvx", 50, 30, Picture, true);

  ASSERT_EQ(::chmod(dir_.Path().c_str(), 0777), 0);
  ASSERT_EQ(::mkdir((dir_ / "ro").c_str(), 0755), 0);
  WriteFile(dir_ / "ro/a.bmp", Bmp24(50, 30));
  if (::geteuid() != 0) {
    ASSERT_EQ(::chmod((dir_ / "ro").c_str(), 0555), 0);
  }
  test::RunOptions asUser;
  asUser.unprivileged = true;
  const auto result = Run({"ro/*.bmp"}, asUser);
  EXPECT_EQ(result.exitStatus, 1);
  EXPECT_EQ(Lines(result.output),
            Console({"Datei \"" + dir_ / "ro/a.kvx" + "\" kann nicht erstellt werden. Permission denied  file: ro/a.bmp"}));
  EXPECT_FALSE(FileExists(dir_ / "ro/a.kvx"));

  // A logo file that may not be written is not replaced either, though the
  // folder would let a new file take its place.
  WriteFile(dir_ / "b.bmp", Bmp24(50, 30));
  WriteFile(dir_ / "b.kvx", Bytes(9000, 0xEE));
  ASSERT_EQ(::chmod((dir_ / "b.kvx").c_str(), 0444), 0);
  const auto readOnly = Run({"b.bmp"}, asUser);
  EXPECT_EQ(readOnly.exitStatus, 1);
  EXPECT_EQ(Lines(readOnly.output),
            Console({"Datei \"" + dir_ / "b.kvx" + "\" kann nicht erstellt werden. Permission denied  file: b.bmp"}));
  EXPECT_EQ(ReadFile(dir_ / "b.kvx"), Bytes(9000, 0xEE));
}

// A logo file the user may write is written where it cannot be replaced
// whole: in a folder that takes no new file, and in a sticky folder (such
// as /tmp) under another user's name, which only its owner may replace.
TEST_F(LumEncTest, ALogoThatMayBeWrittenButNotReplacedIsWrittenInPlace) {
  const bool root = ::geteuid() == 0;
  ASSERT_EQ(::chmod(dir_.Path().c_str(), 0755), 0);
  ASSERT_EQ(::mkdir((dir_ / "ro").c_str(), 0755), 0);
  WriteFile(dir_ / "ro/a.bmp", Bmp24(50, 30));
  WriteFile(dir_ / "ro/a.kvx", Bytes(9000, 0xEE));
  ASSERT_EQ(::chmod((dir_ / "ro/a.kvx").c_str(), 0666), 0);
  if (!root) {
    ASSERT_EQ(::chmod((dir_ / "ro").c_str(), 0555), 0);
  }
  test::RunOptions asUser;
  asUser.unprivileged = true;  // as root, a folder of root's is read-only to "nobody"
  auto result = Run({"ro/a.bmp"}, asUser);
  EXPECT_EQ(result.exitStatus, 0);
  EXPECT_EQ(Lines(result.output), Console({"ro/a.bmp => ro/a.kvx"}));
  ExpectLogo("ro/a.kvx", 50, 30, Picture, true);
  EXPECT_EQ(test::SnapshotFolder(dir_ / "ro").size(), 2u);  // no temporary file left

  if (!root) return;  // a file of another user's needs root to make
  ASSERT_EQ(::mkdir((dir_ / "sticky").c_str(), 0755), 0);
  ASSERT_EQ(::chmod((dir_ / "sticky").c_str(), 01777), 0);
  WriteFile(dir_ / "sticky/b.bmp", Bmp24(50, 30));
  WriteFile(dir_ / "sticky/b.kvx", Bytes(9000, 0xEE));
  ASSERT_EQ(::chmod((dir_ / "sticky/b.kvx").c_str(), 0666), 0);
  result = Run({"sticky/b.bmp"}, asUser);
  EXPECT_EQ(result.exitStatus, 0);
  EXPECT_EQ(Lines(result.output), Console({"sticky/b.bmp => sticky/b.kvx"}));
  ExpectLogo("sticky/b.kvx", 50, 30, Picture, true);
  EXPECT_EQ(test::SnapshotFolder(dir_ / "sticky").size(), 2u);
}

// In a sticky folder that anyone may write (/tmp), another user could plant
// a link to a file of the user running lumenc: such a link is not followed,
// whatever the system's setting for protected symlinks says.
TEST_F(LumEncTest, ALinkPlantedByAnotherUserInASharedStickyFolderIsNotFollowed) {
  if (::geteuid() != 0) GTEST_SKIP() << "needs root: only root can make a symlink that belongs to another user";
  ASSERT_EQ(::mkdir((dir_ / "shared").c_str(), 0755), 0);
  ASSERT_EQ(::chmod((dir_ / "shared").c_str(), 01777), 0);
  WriteFile(dir_ / "precious", Bytes(9000, 0xEE));
  WriteFile(dir_ / "mine", Bytes(9000, 0xEE));
  WriteFile(dir_ / "shared/a.bmp", Bmp24(50, 30));
  WriteFile(dir_ / "shared/b.bmp", Bmp24(50, 30));
  ASSERT_EQ(::symlink((dir_ / "precious").c_str(), (dir_ / "shared/a.kvx").c_str()), 0);
  ASSERT_EQ(::lchown((dir_ / "shared/a.kvx").c_str(), test::kNobody, test::kNobody), 0);  // planted by "nobody"
  ASSERT_EQ(::symlink((dir_ / "mine").c_str(), (dir_ / "shared/b.kvx").c_str()), 0);

  auto result = Run({"shared/a.bmp"});
  EXPECT_EQ(result.exitStatus, 1);
  EXPECT_EQ(Lines(result.output), Console({"Datei \"" + dir_ / "shared/a.kvx" +
                                           "\" kann nicht erstellt werden. Permission denied  file: shared/a.bmp"}));
  EXPECT_EQ(ReadFile(dir_ / "precious"), Bytes(9000, 0xEE));
  EXPECT_EQ(test::SnapshotFolder(dir_ / "shared").size(), 4u);  // nothing written there either

  // A link of the user's own is followed there.
  result = Run({"shared/b.bmp"});
  EXPECT_EQ(result.exitStatus, 0) << result.output;
  ExpectLogo("mine", 50, 30, Picture, true);
}

// A logo name that is a link to the bitmap itself would have the picture
// overwritten by its logo: refused, and nothing is written.
TEST_F(LumEncTest, AnOutputNameThatLeadsToTheBitmapItselfIsRefused) {
  WriteFile(dir_ / "p.bmp", Bmp24(50, 30));
  ASSERT_EQ(::symlink("p.bmp", (dir_ / "p.kvx").c_str()), 0);
  const auto result = Run({"p.bmp"});
  EXPECT_EQ(result.exitStatus, 1);
  EXPECT_EQ(Lines(result.output), Console({"Datei \"" + dir_ / "p.kvx" +
                                           "\" kann nicht erstellt werden. it is the file being converted  file: p.bmp"}));
  EXPECT_EQ(ReadFile(dir_ / "p.bmp"), Bmp24(50, 30));
  EXPECT_EQ(test::SnapshotFolder(dir_.Path()).size(), 2u);
}

// As lumbatch's: a plain name that the walk cannot find is no success.
TEST_F(LumEncTest, APlainNameInAFolderThatCannotBeListedFailsWithTheReason) {
  ASSERT_EQ(::chmod(dir_.Path().c_str(), 0755), 0);
  ASSERT_EQ(::mkdir((dir_ / "hidden").c_str(), 0755), 0);
  WriteFile(dir_ / "hidden/p.bmp", Bmp24(50, 30));
  ASSERT_EQ(::chmod((dir_ / "hidden").c_str(), ::geteuid() == 0 ? 0711 : 0311), 0);
  test::RunOptions asUser;
  asUser.unprivileged = true;  // root lists any folder
  const auto result = Run({"hidden/p.bmp"}, asUser);
  EXPECT_EQ(result.exitStatus, 1);
  EXPECT_EQ(Lines(result.output), Console({"Datei " + dir_ / "hidden/p.bmp" +
                                           " kann nicht geöffnet werden. its folder cannot be listed: "
                                           "Permission denied  file: hidden/p.bmp"}));
}

TEST_F(LumEncTest, InputsThatCannotBeOpenedFailWithoutHanging) {
  ASSERT_EQ(::mkfifo((dir_ / "p.bmp").c_str(), 0600), 0);
  const auto result = Run({"p.bmp"});
  ASSERT_FALSE(result.timedOut);
  EXPECT_EQ(result.exitStatus, 1);
  EXPECT_EQ(Lines(result.output),
            Console({"Datei " + dir_ / "p.bmp" + " kann nicht geöffnet werden. not a regular file  file: p.bmp"}));
}

TEST_F(LumEncTest, OutputNamesThatAreAFifoOrAFullDiskAreReportedWithoutHanging) {
  WriteFile(dir_ / "a.bmp", Bmp24(50, 30));
  WriteFile(dir_ / "b.bmp", Bmp24(50, 30));
  ASSERT_EQ(::mkfifo((dir_ / "a.kvx").c_str(), 0600), 0);
  auto result = Run({"a.bmp"});
  ASSERT_FALSE(result.timedOut);
  EXPECT_EQ(result.exitStatus, 1);
  EXPECT_EQ(Lines(result.output),
            Console({"Datei \"" + dir_ / "a.kvx" + "\" kann nicht erstellt werden. not a regular file  file: a.bmp"}));

  ASSERT_EQ(::symlink("/dev/full", (dir_ / "b.kvx").c_str()), 0);
  result = Run({"b.bmp"});
  EXPECT_EQ(result.exitStatus, 1);
  EXPECT_EQ(Lines(result.output), Console({"Zu wenig Speicherplatz  file: b.bmp"}));
}

TEST_F(LumEncTest, NamesCarryTheMasksFolderAndNeedNotBeUtf8) {
  ASSERT_EQ(::mkdir((dir_ / "sub").c_str(), 0755), 0);
  const std::string name = "caf\xE9 \"1\".bmp";
  WriteFile(dir_ / ("sub/" + name), Bmp8(54, 34));
  const auto result = Run({"sub/CAF*"});
  EXPECT_EQ(result.exitStatus, 0);
  EXPECT_EQ(Lines(result.output), Console({"sub/" + name + " => sub/caf\xE9 \"1\".hzn"}));
  EXPECT_EQ(ReadFile(dir_ / "sub/caf\xE9 \"1\".hzn").size(), 3680u);
}

// A BMP encoded by lumenc and decoded again by lumbatch shows the same
// pixels: every channel is a multiple of eight, and near-black comes back
// as black.
TEST_F(LumEncTest, LumbatchTurnsItsLogosBackIntoTheOriginalPixels) {
  WriteFile(dir_ / "a.bmp", Bmp24(50, 30));
  ASSERT_EQ(Run({"a.bmp"}).exitStatus, 0);
  const auto back = test::RunProgram(LUMBATCH_PATH, {"a.kvx"}, dir_.Path());
  ASSERT_EQ(Lines(back.output).back(), "a.kvx => a.bmp");
  QImage image;
  ASSERT_TRUE(image.load(QString::fromStdString(dir_ / "a.bmp"), "BMP"));
  ASSERT_EQ(image.size(), QSize(50, 30));
  for (int y = 0; y < 30; ++y) {
    for (int x = 0; x < 50; ++x) {
      const uint32_t expected = x == 1 && y == 0 ? 0 : Picture(x, y);
      ASSERT_EQ(image.pixel(x, y) & 0xFFFFFF, expected) << x << "," << y;
    }
  }
}

}  // namespace
}  // namespace lum
