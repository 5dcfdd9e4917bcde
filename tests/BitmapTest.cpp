// The platform's bitmap loader and writer: BMP variants built byte by byte,
// files that are no bitmaps, the writer's exact bytes, and the round trip
// logo -> BMP -> logo.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

#include <QBuffer>
#include <QImage>

#include <gtest/gtest.h>

#include "base/Errors.h"
#include "codec/Decoder.h"
#include "codec/Encoder.h"
#include "platform/bitmap/Bitmap.h"
#include "platform/files/HostFiles.h"
#include "tests/TestSupport.h"
#include "tools/BmpBuilder.h"

namespace lum {
namespace {

using platform::Bitmap;
using tools::BmpBytes;
using tools::BmpRecipe;
using test::Bytes;
using test::TempDir;

uint32_t ToRgb(Rgb c) { return uint32_t{c.red} << 16 | uint32_t{c.green} << 8 | c.blue; }

// Every pixel of `bitmap` against the colour `expected` gives it.
void ExpectColours(const Bitmap& bitmap, int width, int height, const std::function<uint32_t(int, int)>& expected) {
  ASSERT_EQ(bitmap.Width(), width);
  ASSERT_EQ(bitmap.Height(), height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      ASSERT_EQ(ToRgb(bitmap.PixelColour(x, y)), expected(x, y)) << std::hex << x << "," << y;
    }
  }
}

uint32_t Colour24(int x, int y) { return static_cast<uint32_t>(0x10 * x) << 16 | static_cast<uint32_t>(0x20 * y) << 8 | 0x7F; }

class BitmapTest : public ::testing::Test {
 protected:
  Bitmap LoadBytes(const Bytes& bytes, const std::string& name = "image.bmp") {
    test::WriteFile(dir_ / name, bytes);
    return Bitmap::LoadFromFile(dir_ / name);
  }
  std::string LoadFailure(const Bytes& bytes) {
    try {
      LoadBytes(bytes);
    } catch (const LumError& failure) {
      return failure.what();
    }
    return "no failure";
  }
  TempDir dir_;
};

TEST_F(BitmapTest, ReadsTheColoursOfEveryBitDepth) {
  const std::vector<uint32_t> palette16 = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF, 0x102030, 0x405060, 0x708090,
                                           0xA0B0C0, 0xD0E0F0, 0x111111, 0x222222, 0x333333, 0x444444, 0x555555,
                                           0x666666, 0xFFFFFF};
  BmpRecipe recipe;
  recipe.width = 13;  // odd widths leave partial bytes and row padding
  recipe.height = 7;

  recipe.bitsPerPixel = 1;
  recipe.palette = {0x123456, 0xFEDCBA};
  ExpectColours(LoadBytes(BmpBytes(recipe, [](int x, int y) { return (x + y) % 2; })), 13, 7,
                [](int x, int y) { return (x + y) % 2 ? 0xFEDCBA : 0x123456; });

  recipe.bitsPerPixel = 4;
  recipe.palette = palette16;
  ExpectColours(LoadBytes(BmpBytes(recipe, [](int x, int y) { return (x * 3 + y) % 16; })), 13, 7,
                [&](int x, int y) { return palette16[(x * 3 + y) % 16]; });

  recipe.bitsPerPixel = 8;
  ExpectColours(LoadBytes(BmpBytes(recipe, [](int x, int y) { return (x + 2 * y) % 16; })), 13, 7,
                [&](int x, int y) { return palette16[(x + 2 * y) % 16]; });

  recipe.coding = tools::BmpCoding::Rle8;
  ExpectColours(LoadBytes(BmpBytes(recipe, [](int x, int) { return x % 16; })), 13, 7,
                [&](int x, int) { return palette16[x % 16]; });
  recipe.rows = tools::BmpRows::TopDown;
  ExpectColours(LoadBytes(BmpBytes(recipe, [](int x, int y) { return (x + y) % 16; })), 13, 7,
                [&](int x, int y) { return palette16[(x + y) % 16]; });
  recipe.rows = tools::BmpRows::BottomUp;
  recipe.bitsPerPixel = 4;
  recipe.coding = tools::BmpCoding::Rle4;
  ExpectColours(LoadBytes(BmpBytes(recipe, [](int x, int y) { return (x * y) % 16; })), 13, 7,
                [&](int x, int y) { return palette16[(x * y) % 16]; });
  recipe.coding = tools::BmpCoding::Plain;

  // 16 bits are 5-5-5; each channel's five bits come back in the top bits
  // (Qt repeats them into the low three, so only those are compared).
  recipe.bitsPerPixel = 16;
  recipe.palette.clear();
  const Bitmap bitmap16 = LoadBytes(BmpBytes(recipe, [](int x, int y) { return x << 10 | y << 5 | 31; }));
  ExpectColours(bitmap16, 13, 7, [&](int x, int y) {
    const Rgb c = bitmap16.PixelColour(x, y);
    EXPECT_EQ(PackLogoPixel(c, false), 0x8000 | x << 10 | y << 5 | 31) << x << "," << y;
    return ToRgb(c);
  });

  recipe.bitsPerPixel = 24;
  ExpectColours(LoadBytes(BmpBytes(recipe, Colour24)), 13, 7, Colour24);
  recipe.bitsPerPixel = 32;
  ExpectColours(LoadBytes(BmpBytes(recipe, Colour24)), 13, 7, Colour24);
  recipe.rows = tools::BmpRows::TopDown;
  ExpectColours(LoadBytes(BmpBytes(recipe, Colour24)), 13, 7, Colour24);
}

// RLE streams written byte by byte, for a 4 x 3 bitmap. Whatever a stream
// leaves out is palette index 0, the same on every load, and a run past the
// end of its row is cut there.
TEST_F(BitmapTest, PixelsThatAnRleStreamLeavesOutArePaletteIndexZero) {
  struct Stream {
    const char* way;
    Bytes rle8;
    Bytes rle4;  // the same pixels, two to a byte
    std::vector<std::string> rows;  // top row first; "." is left out
  };
  const std::vector<Stream> streams = {
      {"early ends of line",
       {2, 1, 0, 0, 3, 2, 0, 0, 0, 3, 3, 1, 2, 0, 0, 1},
       {2, 0x11, 0, 0, 3, 0x22, 0, 0, 0, 3, 0x31, 0x20, 0, 1},
       {"312.", "222.", "11.."}},
      {"deltas",
       {0, 2, 1, 1, 3, 2, 0, 0, 0, 2, 2, 0, 2, 3, 0, 1},
       {0, 2, 1, 1, 3, 0x22, 0, 0, 0, 2, 2, 0, 2, 0x33, 0, 1},
       {"..33", ".222", "...."}},
      {"an early end of bitmap",
       {4, 1, 0, 0, 1, 2, 0, 1},
       {4, 0x11, 0, 0, 1, 0x20, 0, 1},
       {"....", "2...", "1111"}},
      {"a stream that just stops",
       {0, 4, 1, 2, 1, 2, 0, 0, 2, 2},
       {4, 0x12, 0, 0, 2, 0x22},
       {"....", "22..", "1212"}},
      {"runs past the end of the row",
       {0, 2, 3, 1, 3, 1, 0, 0, 0, 5, 2, 2, 2, 2, 2, 0, 0, 1},
       {0, 2, 3, 1, 3, 0x11, 0, 0, 0, 5, 0x22, 0x22, 0x20, 0, 0, 1},
       {"2222", "...1", "...."}},
  };
  BmpRecipe recipe;
  recipe.width = 4;
  recipe.height = 3;
  recipe.palette = {0x123456, 0xFF0000, 0x00FF00, 0x0000FF};
  for (const Stream& stream : streams) {
    for (const bool four : {false, true}) {
      recipe.bitsPerPixel = four ? 4 : 8;
      recipe.coding = four ? tools::BmpCoding::Rle4 : tools::BmpCoding::Rle8;
      const Bytes bytes = tools::BmpBytesWithPixelData(recipe, four ? stream.rle4 : stream.rle8);
      SCOPED_TRACE(std::string(stream.way) + (four ? ", RLE4" : ", RLE8"));
      const auto expected = [&](int x, int y) {
        const char c = stream.rows[static_cast<size_t>(y)][static_cast<size_t>(x)];
        return recipe.palette[c == '.' ? 0 : static_cast<size_t>(c - '0')];
      };
      ExpectColours(LoadBytes(bytes), 4, 3, expected);
      ExpectColours(Bitmap::LoadFromMemory(bytes.data(), bytes.size()), 4, 3, expected);
    }
  }
}

// 32-bit files whose masks are wider than 8 bits: 10:10:10 after a 40-byte
// header, 9:9:9 in a V4 header, 10:10:10:2 in a V5 header. Each channel
// keeps its top 8 bits, as the encoder keeps the top 5 of those.
TEST_F(BitmapTest, ColourMasksWiderThanEightBitsGiveTheirTopBits) {
  struct Layout {
    uint32_t infoHeaderSize;
    int bits;   // a channel
    int alpha;  // bits of alpha above blue, green and red
  };
  for (const Layout layout : {Layout{40, 10, 0}, Layout{108, 9, 0}, Layout{124, 10, 2}}) {
    const int b = layout.bits;
    const uint32_t top = (1u << b) - 1;
    const auto red = [top](int x, int y) { return static_cast<uint32_t>(97 * x + 301 * y) & top; };
    const auto green = [top](int x, int y) { return static_cast<uint32_t>(top - 53 * x - 7 * y) & top; };
    const auto blue = [top](int x, int y) { return static_cast<uint32_t>(19 * x * y + 3) & top; };
    BmpRecipe recipe;
    recipe.width = 11;
    recipe.height = 5;
    recipe.bitsPerPixel = 32;
    recipe.coding = tools::BmpCoding::BitFields;
    recipe.infoHeaderSize = layout.infoHeaderSize;
    recipe.masks[0] = top << 2 * b;
    recipe.masks[1] = top << b;
    recipe.masks[2] = top;
    recipe.masks[3] = layout.alpha == 0 ? 0 : ((1u << layout.alpha) - 1) << 3 * b;
    SCOPED_TRACE(layout.infoHeaderSize);
    ExpectColours(LoadBytes(BmpBytes(recipe, [&](int x, int y) {
                    return red(x, y) << 2 * b | green(x, y) << b | blue(x, y) | (x % 4u) << 3 * b;
                  })),
                  11, 5, [&](int x, int y) {
                    return (red(x, y) >> (b - 8)) << 16 | (green(x, y) >> (b - 8)) << 8 | blue(x, y) >> (b - 8);
                  });
  }

  // Masks whose bits are not side by side cannot be read as colours.
  BmpRecipe recipe;
  recipe.width = 2;
  recipe.height = 2;
  recipe.bitsPerPixel = 32;
  recipe.coding = tools::BmpCoding::BitFields;
  recipe.masks[0] = 0x00F0F000;
  recipe.masks[1] = 0x00000F00;
  recipe.masks[2] = 0x000000FF;
  EXPECT_EQ(LoadFailure(BmpBytes(recipe, [](int, int) { return 0xFFFFFFFFu; })), "Bitmap ist ungültig");
}

// Masks that reach past the pixel's bits, or share bits, give no colours
// that the file could mean; read anyway, such files came out black.
TEST_F(BitmapTest, ColourMasksBeyondThePixelOrOverlappingAreRefused) {
  struct Masks {
    int bits;
    uint32_t red, green, blue;
  };
  for (const Masks masks : {Masks{16, 0xFFC00000, 0x003FF000, 0x00000FFC},  // wide, above a 16-bit pixel
                            Masks{16, 0x00FF0000, 0x0000FF00, 0x000000FF},  // 8 bits each, red above
                            Masks{32, 0x3FF00000, 0x000FFC00, 0x000FFFFF},  // wide, green and blue overlap
                            Masks{32, 0x00FF0000, 0x0000FF00, 0x0000FF00}}) {
    BmpRecipe recipe;
    recipe.width = 3;
    recipe.height = 2;
    recipe.bitsPerPixel = masks.bits;
    recipe.coding = tools::BmpCoding::BitFields;
    recipe.masks[0] = masks.red;
    recipe.masks[1] = masks.green;
    recipe.masks[2] = masks.blue;
    EXPECT_EQ(LoadFailure(BmpBytes(recipe, [](int, int) { return 0xFFFFFFFFu; })), "Bitmap ist ungültig")
        << std::hex << masks.red << " " << masks.green << " " << masks.blue;
  }
}

TEST_F(BitmapTest, LoadsAsBmpWhateverTheNameAndFromMemory) {
  BmpRecipe recipe;
  recipe.width = 5;
  recipe.height = 3;
  const Bytes bytes = BmpBytes(recipe, Colour24);
  ExpectColours(LoadBytes(bytes, "picture.kvx"), 5, 3, Colour24);
  ExpectColours(LoadBytes(bytes, "no-extension"), 5, 3, Colour24);
  ExpectColours(Bitmap::LoadFromMemory(bytes.data(), bytes.size()), 5, 3, Colour24);
}

// Plain 24-bit bottom-up rows, the decoded logos' coding, are read by the
// loader itself: pixel for pixel what Qt's reader makes of the same bytes,
// for every padding, the later headers, and rows placed after a gap.
TEST_F(BitmapTest, PlainTwentyFourBitRowsReadAsQtReadsThem) {
  const auto colour = [](int x, int y) {
    return static_cast<uint32_t>((x * 0x3B + y * 0x11) << 16 | (x * 7) << 8 | (255 - y));
  };
  const auto expectAsQt = [](const Bytes& bytes, const std::string& what) {
    const QImage qt = QImage::fromData(bytes.data(), static_cast<int>(bytes.size()), "BMP");
    ASSERT_FALSE(qt.isNull()) << what;
    const QImage ours = Bitmap::LoadFromMemory(bytes.data(), bytes.size()).Picture();
    EXPECT_EQ(ours.convertToFormat(QImage::Format_RGB32), qt.convertToFormat(QImage::Format_RGB32)) << what;
  };
  BmpRecipe recipe;
  for (const uint32_t infoHeaderSize : {40u, 124u}) {
    recipe.infoHeaderSize = infoHeaderSize;
    for (const int32_t width : {1, 2, 3, 4, 5, 13}) {
      for (const int32_t height : {1, 3}) {
        recipe.width = width;
        recipe.height = height;
        expectAsQt(BmpBytes(recipe, colour), std::to_string(width) + " x " + std::to_string(height));
      }
    }
  }

  // Six bytes between the headers and the rows, where the file header says
  // the rows begin.
  recipe.infoHeaderSize = 40;
  recipe.width = 5;
  Bytes gapped = BmpBytes(recipe, colour);
  gapped.insert(gapped.begin() + 54, {0xDE, 0xAD, 0xBE, 0xEF, 0xDE, 0xAD});
  gapped[2] = static_cast<uint8_t>(gapped.size());
  gapped[10] = 60;
  expectAsQt(gapped, "gap");

  // A decoded logo of an odd width.
  ByteBuffer image;
  const Bytes logo =
      test::LogoBytesOf(7, 5, [](int x, int y) { return static_cast<uint16_t>(x * 0x1234 + y * 0x0421); });
  DecodeLogoBytes(logo.data(), logo.size(), 5, image);
  expectAsQt(Bytes(image.Data(), image.Data() + image.Size()), "decoded logo");
}

// The header is checked on a first read of up to 64 KiB; the rest of a
// larger file follows.
TEST_F(BitmapTest, FilesLargerThanTheFirstReadAreReadWhole) {
  BmpRecipe recipe;
  recipe.width = 160;
  recipe.height = 140;  // 67,254 bytes
  const auto colour = [](int x, int y) { return static_cast<uint32_t>(x << 16 | y << 8 | ((x + y) & 0xFF)); };
  ExpectColours(LoadBytes(BmpBytes(recipe, colour)), 160, 140, colour);
}

TEST_F(BitmapTest, WhatIsNoReadableBmpIsAnInvalidBitmap) {
  const std::string invalid = "Bitmap ist ungültig";
  EXPECT_EQ(LoadFailure({}), invalid);
  EXPECT_EQ(LoadFailure(Bytes(100, 'x')), invalid);

  // A PNG is refused even though Qt could read it: only BMP counts.
  QImage image(4, 4, QImage::Format_RGB32);
  image.fill(Qt::red);
  QByteArray png;
  QBuffer device(&png);
  device.open(QIODevice::WriteOnly);
  ASSERT_TRUE(image.save(&device, "PNG"));
  EXPECT_EQ(LoadFailure(Bytes(png.begin(), png.end())), invalid);

  BmpRecipe recipe;
  recipe.width = 8;
  recipe.height = 8;
  Bytes bytes = BmpBytes(recipe, Colour24);
  bytes[28] = 7;  // 7 bits a pixel
  EXPECT_EQ(LoadFailure(bytes), invalid);

  // The memory variant refuses the same.
  try {
    Bitmap::LoadFromMemory(reinterpret_cast<const uint8_t*>(png.data()), static_cast<size_t>(png.size()));
    FAIL() << "no failure";
  } catch (const EInvalidGraphic&) {
  }
}

TEST_F(BitmapTest, ShortFilesAreRefusedInsteadOfLeavingRowsUnread) {
  BmpRecipe recipe;
  recipe.width = 6;
  recipe.height = 4;
  for (const int bits : {8, 24, 32}) {
    recipe.bitsPerPixel = bits;
    recipe.palette.assign(bits == 8 ? 4 : 0, 0x808080);
    Bytes bytes = BmpBytes(recipe, [](int x, int) { return x % 4; });
    EXPECT_NO_THROW(LoadBytes(bytes)) << bits;
    bytes.pop_back();  // the top row's last byte
    EXPECT_EQ(LoadFailure(bytes), "Bitmap ist ungültig") << bits;
  }
}

uint32_t Scattered(int x) { return (static_cast<uint32_t>(x) * 2654435761u) >> 8; }

// A 24-bit file of `width` x `height` black pixels but for its bottom row,
// whose pixel x is Scattered(x); sparse, so that it costs neither disk nor
// time to write.
void WriteLargeBmp(const std::string& path, int32_t width, int32_t height) {
  BmpRecipe recipe;
  recipe.width = width;
  recipe.height = 1;
  Bytes bytes = BmpBytes(recipe, [](int x, int) { return Scattered(x); });
  const uint64_t size = 54 + (bytes.size() - 54) * static_cast<uint64_t>(height);
  for (int i = 0; i < 4; ++i) {
    bytes[2 + i] = static_cast<uint8_t>(size >> (8 * i));
    bytes[22 + i] = static_cast<uint8_t>(static_cast<uint32_t>(height) >> (8 * i));
  }
  test::WriteFile(path, bytes);
  ASSERT_EQ(::truncate(path.c_str(), static_cast<off_t>(size)), 0);
}

// Everything the process writes to standard error while it lives.
class StandardErrorCapture {
 public:
  explicit StandardErrorCapture(std::string path) : path_(std::move(path)) {
    std::fflush(stderr);
    saved_ = ::dup(STDERR_FILENO);
    const int fd = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    ::dup2(fd, STDERR_FILENO);
    ::close(fd);
  }
  ~StandardErrorCapture() { Stop(); }
  std::string Stop() {
    if (saved_ >= 0) {
      std::fflush(stderr);
      ::dup2(saved_, STDERR_FILENO);
      ::close(saved_);
      saved_ = -1;
    }
    const Bytes text = test::ReadFile(path_);
    return std::string(text.begin(), text.end());
  }

 private:
  std::string path_;
  int saved_ = -1;
};

// A 6000 x 6000 photo (36 Mi pixels, beyond Qt's own limit) is read, and
// Qt prints nothing on the way; a row past 64 Mi pixels is refused from the
// header alone.
TEST_F(BitmapTest, BitmapsUpToTheBoundLoadQuietlyAndOneRowMoreIsRefused) {
  StandardErrorCapture standardError(dir_ / "stderr.txt");
  const int32_t side = 6000;
  WriteLargeBmp(dir_ / "large.bmp", side, side);
  {
    const Bitmap bitmap = Bitmap::LoadFromFile(dir_ / "large.bmp");
    ASSERT_EQ(bitmap.Width(), side);
    ASSERT_EQ(bitmap.Height(), side);
    for (const int x : {0, 1, 4095, side - 1}) {
      EXPECT_EQ(ToRgb(bitmap.PixelColour(x, side - 1)), Scattered(x)) << x;
      EXPECT_EQ(ToRgb(bitmap.PixelColour(x, 0)), 0u) << x;
    }
  }

  BmpRecipe recipe;
  recipe.width = 1;
  recipe.height = 1;
  Bytes bytes = BmpBytes(recipe, Colour24);
  bytes.resize(54);
  // 8192 x 8193: a row past 64 Mi pixels; the file holds none of them.
  bytes[18 + 1] = 0x20;
  bytes[22] = 0x01;
  bytes[22 + 1] = 0x20;
  EXPECT_EQ(LoadFailure(bytes), "Bitmap ist ungültig");
  try {
    Bitmap::LoadFromMemory(bytes.data(), bytes.size());
    FAIL() << "no failure";
  } catch (const EInvalidGraphic&) {
  }
  EXPECT_EQ(standardError.Stop(), "");
}

TEST_F(BitmapTest, FilesThatCannotBeOpenedNameTheirFullPath) {
  try {
    Bitmap::LoadFromFile(dir_ / "missing.bmp");
    FAIL() << "no failure";
  } catch (const EFOpenError& failure) {
    EXPECT_EQ(std::string(failure.what()),
              "Datei " + dir_ / "missing.bmp" + " kann nicht geöffnet werden. No such file or directory");
  }
  // A FIFO without a writer is refused at once instead of blocking the load.
  ASSERT_EQ(::mkfifo((dir_ / "pipe.bmp").c_str(), 0600), 0);
  try {
    Bitmap::LoadFromFile(dir_ / "pipe.bmp");
    FAIL() << "no failure";
  } catch (const EFOpenError& failure) {
    EXPECT_EQ(std::string(failure.what()),
              "Datei " + dir_ / "pipe.bmp" + " kann nicht geöffnet werden. not a regular file");
  }
}

TEST_F(BitmapTest, WritesA24BitFileWhateverTheSourceDepth) {
  BmpRecipe recipe;
  recipe.width = 3;
  recipe.height = 2;
  recipe.bitsPerPixel = 8;
  recipe.palette = {0x010203, 0xA0B0C0};
  const Bitmap bitmap = LoadBytes(BmpBytes(recipe, [](int x, int y) { return (x + y) % 2; }));
  test::WriteFile(dir_ / "out.bmp", Bytes(10000, 0xEE));  // overwritten, not appended to
  bitmap.SaveToFile(dir_ / "out.bmp");
  const Bytes expected = {
      'B', 'M', 78, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0,  // file header, file size 78
      40, 0, 0, 0, 3, 0, 0, 0, 2, 0, 0, 0, 1, 0, 24, 0, 0, 0, 0, 0, 24, 0, 0, 0,  // image size 24
      0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
      0xC0, 0xB0, 0xA0, 0x03, 0x02, 0x01, 0xC0, 0xB0, 0xA0, 0, 0, 0,  // bottom row first, blue first
      0x03, 0x02, 0x01, 0xC0, 0xB0, 0xA0, 0x03, 0x02, 0x01, 0, 0, 0,
  };
  EXPECT_EQ(test::ReadFile(dir_ / "out.bmp"), expected);

  // An independent reader sees the same picture.
  QImage image;
  ASSERT_TRUE(image.load(QString::fromStdString(dir_ / "out.bmp"), "BMP"));
  EXPECT_EQ(image.pixel(0, 0), qRgb(1, 2, 3));
  EXPECT_EQ(image.pixel(1, 0), qRgb(0xA0, 0xB0, 0xC0));
  EXPECT_EQ(image.pixel(0, 1), qRgb(0xA0, 0xB0, 0xC0));
}

TEST_F(BitmapTest, AFileThatCannotBeCreatedIsReportedWithItsName) {
  Bitmap empty;
  try {
    empty.SaveToFile(dir_ / "missing/out.bmp");
    FAIL() << "no failure";
  } catch (const EFCreateError& failure) {
    EXPECT_EQ(std::string(failure.what()),
              "Datei \"" + dir_ / "missing/out.bmp" + "\" kann nicht erstellt werden. No such file or directory");
  }
  empty.SaveToFile(dir_ / "empty.bmp");
  EXPECT_EQ(test::ReadFile(dir_ / "empty.bmp").size(), 54u);
}

// A save that fails part way (here the file size limit stands in for a full
// disk) leaves the BMP file it was to replace as it was.
TEST_F(BitmapTest, AFailedSaveLeavesTheOldFileAsItWas) {
  BmpRecipe recipe;
  recipe.width = 50;
  recipe.height = 30;
  const Bitmap bitmap = LoadBytes(BmpBytes(recipe, Colour24));
  test::WriteFile(dir_ / "out.bmp", Bytes(9000, 0xEE));
  const test::FolderSnapshot before = test::SnapshotFolder(dir_.Path());
  try {
    test::ScopedFileSizeLimit fullAfter(1000);
    bitmap.SaveToFile(dir_ / "out.bmp");
    FAIL() << "no failure";
  } catch (const EInOutError& failure) {
    EXPECT_STREQ(failure.what(), "Zu wenig Speicherplatz");
  }
  EXPECT_TRUE(test::SnapshotFolder(dir_.Path()) == before) << "the old file changed, or a temporary file was left";
}

// A logo written by the system, decoded with black for transparent pixels,
// saved by the writer, loaded again and encoded gives back every word, except
// that opaque black and transparent pixels merge into the kind the flag picks.
TEST_F(BitmapTest, LogoToBmpAndBackKeepsEveryWordButMergesBlackAndTransparent) {
  std::vector<uint16_t> words;
  for (int i = 0; i < 50 * 30; ++i) {
    words.push_back(i % 11 == 0 ? kTransparentPixel : i % 13 == 0 ? kOpaqueFlag : 0x8000 | ((i * 2654435761u) & 0x7FFF));
  }
  test::WriteFile(dir_ / "logo.kvx", test::LogoBytes(50, 30, words));
  ByteBuffer input, output;
  DecodeLogo(dir_ / "logo.kvx", 0, input, output, platform::HostFiles());
  Bitmap::LoadFromMemory(output.Data(), static_cast<size_t>(output.Size())).SaveToFile(dir_ / "logo.bmp");
  const Bitmap bitmap = Bitmap::LoadFromFile(dir_ / "logo.bmp");

  ByteBuffer logo;
  for (const bool on : {true, false}) {
    EncodeLogo(bitmap, TransparencyFlag(on ? kSetTransOn : kSetTransOff, 50, 30), logo);
    ASSERT_EQ(logo.Size(), 3008);
    for (size_t i = 0; i < words.size(); ++i) {
      const uint16_t original = words[i];
      const bool black = original == kTransparentPixel || original == kOpaqueFlag;
      const uint16_t expected = black ? (on ? kTransparentPixel : kOpaqueFlag) : original;
      ASSERT_EQ(ReadBigEndian16(logo.Data() + 8 + 2 * i), expected) << i << (on ? " On" : " Uit");
    }
  }
}

}  // namespace
}  // namespace lum
