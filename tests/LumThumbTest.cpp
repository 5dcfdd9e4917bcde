// The lumthumb program end to end: the built binary on the sample logos, its
// PNG files read back by Qt pixel by pixel, and its refusals.
#include <sys/stat.h>
#include <unistd.h>

#include <QImage>

#include <gtest/gtest.h>

#include "tests/TestSupport.h"

namespace lum {
namespace {

using test::Bytes;
using test::FileExists;
using test::ReadFile;
using test::SnapshotFolder;
using test::TempDir;
using test::WriteFile;

const std::string kUsage = "usage: lumthumb input output size  (a logo file, the PNG file to write, 1 to 4096)\n";

int32_t BigEndian32(const Bytes& bytes, size_t offset) {
  return static_cast<int32_t>(uint32_t{bytes[offset]} << 24 | uint32_t{bytes[offset + 1]} << 16 |
                              uint32_t{bytes[offset + 2]} << 8 | bytes[offset + 3]);
}

class LumThumbTest : public ::testing::Test {
 protected:
  test::ProgramResult Run(const std::vector<std::string>& arguments, test::RunOptions options = {}) {
    options.withStandardError = true;
    return test::RunProgram(LUMTHUMB_PATH, arguments, dir_.Path(), options);
  }

  // Makes the thumbnail of `logo` and compares every pixel with the logo's
  // words, each one a block of factor x factor pixels. Returns the number of
  // transparent pixels.
  int ExpectThumbnail(const Bytes& logo, int size, int width, int height, int factor) {
    WriteFile(dir_ / "in.kvx", logo);
    const auto result = Run({"in.kvx", "out.png", std::to_string(size)});
    EXPECT_EQ(result.exitStatus, 0) << result.output;
    EXPECT_EQ(result.output, "");
    QImage image;
    if (!image.load(QString::fromStdString(dir_ / "out.png"), "PNG")) {
      ADD_FAILURE() << "no PNG for size " << size;
      return 0;
    }
    EXPECT_EQ(image.size(), QSize(width * factor, height * factor)) << "size " << size;
    if (image.size() != QSize(width * factor, height * factor)) return 0;
    int transparent = 0;
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x) {
        const size_t at = 8 + 2 * static_cast<size_t>((y / factor) * width + x / factor);
        const int word = logo[at] << 8 | logo[at + 1];
        const QRgb pixel = image.pixel(x, y);
        if (word == 0) {
          ++transparent;
          EXPECT_EQ(qAlpha(pixel), 0) << x << "," << y;
        } else {
          EXPECT_EQ(pixel, qRgb((word >> 10 & 31) * 8, (word >> 5 & 31) * 8, (word & 31) * 8)) << x << "," << y;
        }
        if (::testing::Test::HasFailure()) return transparent;
      }
    }
    return transparent;
  }

  int ExpectSampleThumbnail(const std::string& sample, int size, int factor) {
    const Bytes logo = ReadFile(std::string(LUM_SAMPLES_DIR) + "/" + sample);
    return ExpectThumbnail(logo, size, BigEndian32(logo, 0), BigEndian32(logo, 4), factor);
  }

  TempDir dir_;
};

TEST_F(LumThumbTest, SamplesAreEnlargedByTheLargestWholeFactorThatFits) {
  EXPECT_GT(ExpectSampleThumbnail("testcard.kvx", 128, 2), 0);  // 100 x 60, with its transparent block
  ExpectSampleThumbnail("testcard.kvx", 256, 5);                // 250 x 150
  ExpectSampleThumbnail("sun.hzn", 128, 2);                     // 108 x 68
  ExpectSampleThumbnail("ring.kvx", 149, 2);
  ExpectSampleThumbnail("ring.kvx", 50, 1);                     // fits exactly
  ExpectSampleThumbnail("widecard.hzn", 32, 1);                 // larger than asked: never shrunk
}

TEST_F(LumThumbTest, OnlyTheWordZeroIsTransparent) {
  // Opaque black and white are kept; white is the brightest a logo holds.
  const Bytes logo = test::LogoBytes(3, 1, {0x0000, 0x8000, 0x7FFF});
  EXPECT_EQ(ExpectThumbnail(logo, 12, 3, 1, 4), 16);
}

TEST_F(LumThumbTest, FailuresWriteNothingAndGiveTheReasonOnOneLine) {
  ASSERT_EQ(::chmod(dir_.Path().c_str(), 0755), 0);
  Bytes truncated = ReadFile(std::string(LUM_SAMPLES_DIR) + "/testcard.kvx");
  truncated.resize(1000);
  WriteFile(dir_ / "short.kvx", truncated);
  WriteFile(dir_ / "kept.png", {1, 2, 3});
  WriteFile(dir_ / "huge.kvx", {});
  ASSERT_EQ(::truncate((dir_ / "huge.kvx").c_str(), 4 * 1024 * 1024 + 1), 0);  // sparse
  ASSERT_EQ(::mkdir((dir_ / "ro").c_str(), 0755), 0);
  WriteFile(dir_ / "ring.kvx", ReadFile(std::string(LUM_SAMPLES_DIR) + "/ring.kvx"));
  ASSERT_EQ(::symlink("/dev/null", (dir_ / "null.png").c_str()), 0);
  if (::geteuid() != 0) {
    ASSERT_EQ(::chmod((dir_ / "ro").c_str(), 0555), 0);
  }
  const test::FolderSnapshot before = SnapshotFolder(dir_.Path());

  auto result = Run({"short.kvx", "kept.png", "128"});
  EXPECT_NE(result.exitStatus, 0);
  EXPECT_EQ(result.output, "lumthumb: Logo file too short for 50 x 30 pixels: 1000 bytes\n");

  result = Run({"huge.kvx", "kept.png", "128"});
  EXPECT_NE(result.exitStatus, 0);
  EXPECT_EQ(result.output, "lumthumb: Logo file too large for a thumbnail: 4194305 bytes\n");

  result = Run({"missing.kvx", "out.png", "128"});
  EXPECT_NE(result.exitStatus, 0);
  EXPECT_EQ(result.output,
            "lumthumb: Datei " + (dir_ / "missing.kvx") + " kann nicht geöffnet werden. No such file or directory\n");

  // A thumbnail is written to regular files only.
  result = Run({"ring.kvx", "null.png", "128"});
  EXPECT_EQ(result.exitStatus, 1);
  EXPECT_EQ(result.output,
            "lumthumb: Datei \"" + (dir_ / "null.png") + "\" kann nicht erstellt werden. not a regular file\n");

  // Nor over the logo it is made of.
  result = Run({"ring.kvx", "./ring.kvx", "128"});
  EXPECT_EQ(result.exitStatus, 1);
  EXPECT_EQ(result.output, "lumthumb: Datei \"" + (dir_ / "ring.kvx") +
                               "\" kann nicht erstellt werden. it is the file being converted\n");

  // A name ending in "/" names a folder, never the file before it.
  result = Run({"ring.kvx", "kept.png/", "128"});
  EXPECT_EQ(result.exitStatus, 1);
  EXPECT_EQ(result.output,
            "lumthumb: Datei \"" + (dir_ / "kept.png/") + "\" kann nicht erstellt werden. Not a directory\n");
  result = Run({"ring.kvx", "new.png/.", "128"});
  EXPECT_EQ(result.exitStatus, 1);
  EXPECT_EQ(result.output,
            "lumthumb: Datei \"" + (dir_ / "new.png/") + "\" kann nicht erstellt werden. Is a directory\n");

  test::RunOptions asUser;
  asUser.unprivileged = true;  // as root, a folder of root's is read-only to "nobody"
  result = Run({"ring.kvx", "ro/out.png", "128"}, asUser);
  EXPECT_NE(result.exitStatus, 0);
  EXPECT_EQ(result.output,
            "lumthumb: Datei \"" + (dir_ / "ro/out.png") + "\" kann nicht erstellt werden. Permission denied\n");

  EXPECT_EQ(SnapshotFolder(dir_.Path()), before);
}

// PNG readers refuse a side longer than a million pixels by default; a logo
// that long is refused, with one line, and one exactly that long is written.
TEST_F(LumThumbTest, ALogoTooLongForAPngIsRefusedOnOneLine) {
  WriteFile(dir_ / "long.kvx", test::LogoBytes(1, 2097148, std::vector<uint16_t>(2097148, 0x8000)));
  const auto result = Run({"long.kvx", "out.png", "128"});
  EXPECT_EQ(result.exitStatus, 1);
  EXPECT_EQ(result.output,
            "lumthumb: Logo too large for a thumbnail: 1 x 2097148 pixels, more than 1000000 on a side\n");
  EXPECT_FALSE(FileExists(dir_ / "out.png"));

  ExpectThumbnail(test::LogoBytes(1000000, 1, std::vector<uint16_t>(1000000, 0xFFFF)), 128, 1000000, 1, 1);
}

TEST_F(LumThumbTest, WrongArgumentsGiveTheUsageLine) {
  WriteFile(dir_ / "a.kvx", ReadFile(std::string(LUM_SAMPLES_DIR) + "/ring.kvx"));
  const std::vector<std::vector<std::string>> wrong = {
      {},
      {"a.kvx", "out.png"},
      {"a.kvx", "out.png", "128", "x"},
      {"a.kvx", "out.png", "0"},
      {"a.kvx", "out.png", ""},
      {"a.kvx", "out.png", "-128"},
      {"a.kvx", "out.png", "128px"},
      {"a.kvx", "out.png", "4097"},
      {"a.kvx", "out.png", "99999999999999999999"},
  };
  for (const auto& arguments : wrong) {
    const auto result = Run(arguments);
    EXPECT_EQ(result.exitStatus, 2) << ::testing::PrintToString(arguments);
    EXPECT_EQ(result.output, kUsage) << ::testing::PrintToString(arguments);
  }
  EXPECT_FALSE(FileExists(dir_ / "out.png"));
}

}  // namespace
}  // namespace lum
