// The Qt image plugin, loaded as Qt programs load it: QImageReader and
// QImageWriter with the build's plugin folder as Qt's only library path.
// Built once against Qt 6 and, where installed, once against Qt 5.
#include <unistd.h>

#include <QBuffer>
#include <QCoreApplication>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>

#include <gtest/gtest.h>

#include "tests/PluginTestSupport.h"
#include "tests/TestSupport.h"

namespace lum {
namespace {

using test::Bytes;
using test::ReadFile;
using test::Sample;
using test::TempDir;
using test::WriteFile;

QString Q(const std::string& path) { return QString::fromStdString(path); }

std::vector<uint32_t> PixelsOf(const QImage& image) {
  std::vector<uint32_t> pixels;
  for (int y = 0; y < image.height(); ++y) {
    const auto* row = reinterpret_cast<const uint32_t*>(image.constScanLine(y));
    pixels.insert(pixels.end(), row, row + image.width());
  }
  return pixels;
}

Bytes WrittenLogo(const QImage& image) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, "kvx");
  EXPECT_TRUE(writer.write(image)) << writer.errorString().toStdString();
  return Bytes(bytes.cbegin(), bytes.cend());
}

class QtLogoPluginTest : public ::testing::Test {
 protected:
  TempDir dir_;
};

TEST_F(QtLogoPluginTest, ReadsLogosWithTransparencyAsTheDecoderShowsThem) {
  EXPECT_TRUE(QImageReader::supportedImageFormats().contains("hzn"));
  EXPECT_TRUE(QImageReader::supportedMimeTypes().contains("image/x-kvx-logo"));
  for (const std::string name : {"testcard.kvx", "sun.hzn"}) {
    SCOPED_TRACE(name);
    const Bytes logo = ReadFile(Sample(name));
    const QSize size = name == "sun.hzn" ? QSize(54, 34) : QSize(50, 30);
    // Found by its content too, under a name that says nothing; the pixels
    // are the last bytes of the file, whatever lies before them.
    Bytes padded = logo;
    padded.insert(padded.begin() + 8, {1, 2, 3, 4, 5});
    WriteFile(dir_ / "logo.dat", padded);
    for (const std::string& path : {Sample(name), dir_ / "logo.dat"}) {
      QImageReader reader(Q(path));
      // From the header, before reading.
      EXPECT_EQ(reader.format(), name == "sun.hzn" ? "hzn" : "kvx");
      EXPECT_EQ(reader.size(), size);
      const QImage image = reader.read();
      ASSERT_FALSE(image.isNull()) << reader.errorString().toStdString();
      EXPECT_EQ(image.format(), QImage::Format_ARGB32);
      EXPECT_EQ(image.size(), size);
      EXPECT_EQ(PixelsOf(image), test::DecoderPixels(logo));
    }
  }
}

TEST_F(QtLogoPluginTest, OnlyTheWordZeroIsTransparent) {
  WriteFile(dir_ / "words.kvx", test::LogoBytes(5, 1, test::kTransparencyWords));
  QImageReader reader(Q(dir_ / "words.kvx"));
  const QImage image = reader.read();
  ASSERT_FALSE(image.isNull()) << reader.errorString().toStdString();
  EXPECT_EQ(PixelsOf(image), test::kTransparencyPixels);
}

TEST_F(QtLogoPluginTest, WritesWhatLumencWritesForTheSamePicture) {
  // Sample bitmaps of 24, 8 and 32 bits; lumenc without its near-black rule.
  for (const std::string name : {"ring-24bit.bmp", "stripes-8bit.bmp", "card-32bit.bmp"}) {
    SCOPED_TRACE(name);
    WriteFile(dir_ / name, ReadFile(Sample(name)));
    const auto result = test::RunProgram(LUMENC_PATH, {name, "/off"}, dir_.Path());
    ASSERT_EQ(result.exitStatus, 0) << result.output;
    const QImage picture(Q(dir_ / name), "BMP");
    ASSERT_FALSE(picture.isNull());
    const std::string logoName = name.substr(0, name.size() - 4) + (picture.size() == QSize(54, 34) ? ".hzn" : ".kvx");
    EXPECT_EQ(WrittenLogo(picture), ReadFile(dir_ / logoName));
  }
}

TEST_F(QtLogoPluginTest, AlphaBelowHalfIsTransparentAndBlackStaysOpaque) {
  QImage picture(4, 1, QImage::Format_ARGB32);
  picture.setPixel(0, 0, qRgba(255, 0, 0, 127));  // transparent
  picture.setPixel(1, 0, qRgba(255, 0, 0, 128));  // opaque red
  picture.setPixel(2, 0, qRgba(0, 0, 0, 255));    // opaque black: no near-black rule
  picture.setPixel(3, 0, qRgba(7, 7, 255, 255));
  EXPECT_EQ(WrittenLogo(picture), test::LogoBytes(4, 1, {0x0000, 0xFC00, 0x8000, 0x801F}));
  // Premultiplied and alpha-less pictures are taken as their colours.
  EXPECT_EQ(WrittenLogo(picture.convertToFormat(QImage::Format_ARGB32_Premultiplied)),
            test::LogoBytes(4, 1, {0x0000, 0xFC00, 0x8000, 0x801F}));
  EXPECT_EQ(WrittenLogo(picture.convertToFormat(QImage::Format_RGB32)),
            test::LogoBytes(4, 1, {0xFC00, 0xFC00, 0x8000, 0x801F}));
}

TEST_F(QtLogoPluginTest, ALogoReadAndWrittenAgainKeepsItsBytes) {
  for (const std::string name : {"ring.kvx", "sun.hzn", "testcard.kvx", "widecard.hzn", "banner.kvx"}) {
    SCOPED_TRACE(name);
    const QImage image(Q(Sample(name)));
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(WrittenLogo(image), ReadFile(Sample(name)));
  }
}

TEST_F(QtLogoPluginTest, FilesThatAreNoLogosFailCleanly) {
  Bytes truncated = ReadFile(Sample("testcard.kvx"));
  truncated.resize(1000);
  Bytes wrongSize = ReadFile(Sample("testcard.kvx"));
  wrongSize[7] = 34;  // 50 x 34 announced in 50 x 30's bytes
  const std::vector<std::pair<std::string, Bytes>> files = {
      {"truncated.kvx", truncated},
      {"wrong-size.kvx", wrongSize},
      {"empty-header.kvx", test::LogoBytes(0, 0, {})},
      {"header-only.kvx", test::LogoBytes(50, 30, {})},
      {"negative.kvx", test::LogoBytes(-1, 1, {0x8000})},
      {"giant.kvx", test::LogoBytes(65536, 65536, {0x8000})},
      {"short.kvx", {0, 0, 0}},
  };
  for (const auto& [name, bytes] : files) {
    SCOPED_TRACE(name);
    WriteFile(dir_ / name, bytes);
    for (const char* format : {"", "kvx"}) {
      QImageReader reader(Q(dir_ / name), format);
      EXPECT_FALSE(reader.canRead());
      EXPECT_TRUE(reader.read().isNull());
    }
  }
  // Larger than any logo that is read: refused without being read (sparse).
  WriteFile(dir_ / "huge.kvx", test::LogoBytes(1, 1, {}));
  ASSERT_EQ(::truncate((dir_ / "huge.kvx").c_str(), (int64_t{32} << 20) + 9), 0);
  EXPECT_TRUE(QImageReader(Q(dir_ / "huge.kvx"), "kvx").read().isNull());
  // Nothing to write.
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  EXPECT_FALSE(QImageWriter(&buffer, "kvx").write(QImage()));
  EXPECT_TRUE(bytes.isEmpty());
}

}  // namespace
}  // namespace lum

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  QCoreApplication application(argc, argv);
  // The build's plugin alone: never one installed on the machine.
  QCoreApplication::setLibraryPaths({QStringLiteral(LUM_QT_PLUGIN_DIR)});
  return RUN_ALL_TESTS();
}
