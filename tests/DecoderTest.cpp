#include <QImage>
#include <climits>
#include <cstdint>
#include <memory>

#include <gtest/gtest.h>

#include "base/Errors.h"
#include "codec/Decoder.h"
#include "platform/files/HostFiles.h"
#include "tests/TestSupport.h"

namespace lum {
namespace {

using test::Bytes;
using test::LogoBytes;
using test::TempDir;

Bytes Contents(const ByteBuffer& buffer) { return Bytes(buffer.Data(), buffer.Data() + buffer.Size()); }

Bytes ExpectedHeader(int32_t width, int32_t height) {
  Bytes header = {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0, 0, 0};
  for (const int32_t field : {width, height}) {
    for (int i = 0; i < 4; ++i) header.push_back(static_cast<uint8_t>(static_cast<uint32_t>(field) >> (8 * i)));
  }
  const Bytes rest = {1, 0, 24, 0};
  header.insert(header.end(), rest.begin(), rest.end());
  header.resize(54, 0);
  return header;
}

Bytes Concat(Bytes a, const Bytes& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

// Files in memory: every read gives `logo`, and an output takes `room` bytes
// and then refuses every write, as a full disk would.
class MemoryFiles final : public FileSeam {
 public:
  Bytes logo;
  size_t room = SIZE_MAX;
  std::string outputName;
  Bytes written;
  bool closed = false;

  void ReadWholeFile(const std::string&, ByteBuffer& into) override {
    into.Clear();
    into.Write(logo.data(), static_cast<int64_t>(logo.size()));
  }
  std::unique_ptr<OutputWriter> CreateOutput(const std::string& path) override {
    outputName = path;
    written.clear();
    closed = false;
    return std::make_unique<Writer>(*this);
  }
  // The decoders never replace a file; memory has no old one to keep.
  std::unique_ptr<OutputWriter> CreateReplacement(const std::string& path) override { return CreateOutput(path); }
  std::string FullPath(const std::string& path) override { return path; }

 private:
  class Writer final : public OutputWriter {
   public:
    explicit Writer(MemoryFiles& files) : files_(files) {}
    void Write(const uint8_t* data, size_t count) override {
      if (files_.written.size() + count > files_.room) throw EInOutError::ShortWrite();
      files_.written.insert(files_.written.end(), data, data + count);
    }
    void Flush() override {}
    void Close() override { files_.closed = true; }

   private:
    MemoryFiles& files_;
  };
};

class DecoderTest : public ::testing::Test {
 protected:
  // Decodes `logo` with the viewer variant and returns the image.
  Bytes DecodeInViewer(const Bytes& logo, int transparencyIndex = 0) {
    test::WriteFile(dir_ / "logo.kvx", logo);
    header_ = DecodeLogo(dir_ / "logo.kvx", transparencyIndex, input_, output_, files_);
    EXPECT_EQ(output_.Position(), 0);
    return Contents(output_);
  }
  // Decodes `logo` with the console variant and returns the file written.
  Bytes DecodeInConsole(const Bytes& logo) {
    test::WriteFile(dir_ / "logo.kvx", logo);
    DecodeLogoToFile(dir_ / "logo.kvx", input_, files_)->Close();
    return test::ReadFile(dir_ / "logo.bmp");
  }
  // Both variants give the same bytes for logos without transparent pixels.
  Bytes DecodeInBoth(const Bytes& logo) {
    const Bytes viewer = DecodeInViewer(logo, 5);
    EXPECT_EQ(DecodeInConsole(logo), viewer);
    return viewer;
  }
  std::string ConsoleFailure(const Bytes& logo) {
    test::WriteFile(dir_ / "logo.kvx", logo);
    try {
      DecodeLogoToFile(dir_ / "logo.kvx", input_, files_);
    } catch (const LumError& failure) {
      return failure.what();
    }
    return "no failure";
  }

  TempDir dir_;
  ByteBuffer input_;
  ByteBuffer output_;
  LogoHeader header_;
  FileSeam& files_ = platform::HostFiles();
};

TEST_F(DecoderTest, PixelChannelsExpandWithThreeZeroBits) {
  auto expect = [](LogoPixel word, uint8_t red, uint8_t green, uint8_t blue) {
    const Rgb colour = ExpandLogoPixel(word);
    EXPECT_EQ(colour.red, red) << std::hex << word;
    EXPECT_EQ(colour.green, green) << std::hex << word;
    EXPECT_EQ(colour.blue, blue) << std::hex << word;
  };
  expect(0x7C00, 0xF8, 0, 0);
  expect(0x03E0, 0, 0xF8, 0);
  expect(0x001F, 0, 0, 0xF8);
  expect(0xFFFF, 0xF8, 0xF8, 0xF8);
  expect(0x7FFF, 0xF8, 0xF8, 0xF8);  // bit 15 takes no part
  expect(0x8000, 0, 0, 0);
  expect(0x8421, 8, 8, 8);
}

TEST_F(DecoderTest, TransparencyColoursFollowTheViewersChoiceAndFallBackToBlack) {
  const Rgb expected[kTransparencyColourCount] = {
      {0, 0, 0},      {8, 40, 88},    {8, 88, 32},   {88, 8, 40},   {32, 32, 32},
      {255, 255, 255}, {24, 56, 120}, {24, 120, 56}, {120, 24, 56}, {48, 48, 48}};
  for (int i = 0; i < kTransparencyColourCount; ++i) {
    EXPECT_EQ(TransparencyColour(i).red, expected[i].red) << i;
    EXPECT_EQ(TransparencyColour(i).green, expected[i].green) << i;
    EXPECT_EQ(TransparencyColour(i).blue, expected[i].blue) << i;
  }
  for (int outside : {-1, 10, 1000, INT32_MIN}) {
    const Rgb colour = TransparencyColour(outside);
    EXPECT_EQ(colour.red + colour.green + colour.blue, 0) << outside;
  }
}

TEST_F(DecoderTest, OnePixelIsTheHeaderThreeBytesAndOnePaddingByte) {
  const Bytes expected = Concat(ExpectedHeader(1, 1), {0, 0, 0, 0});
  for (int index = -1; index <= 10; ++index) {
    EXPECT_EQ(DecodeInViewer(LogoBytes(1, 1, {0x8000}), index), expected) << index;
  }
  EXPECT_EQ(DecodeInConsole(LogoBytes(1, 1, {0x8000})), expected);
  EXPECT_EQ(header_.width, 1);
  EXPECT_EQ(header_.height, 1);
}

TEST_F(DecoderTest, TransparentPixelsTakeTheChosenColourOnlyInTheViewer) {
  EXPECT_EQ(DecodeInViewer(LogoBytes(1, 1, {0x0000}), 5), Concat(ExpectedHeader(1, 1), {0xFF, 0xFF, 0xFF, 0}));
  EXPECT_EQ(DecodeInViewer(LogoBytes(1, 1, {0x0000}), 1), Concat(ExpectedHeader(1, 1), {0x58, 0x28, 0x08, 0}));
  EXPECT_EQ(DecodeInViewer(LogoBytes(1, 1, {0x0000}), -1), Concat(ExpectedHeader(1, 1), {0, 0, 0, 0}));
  EXPECT_EQ(DecodeInConsole(LogoBytes(1, 1, {0x0000})), Concat(ExpectedHeader(1, 1), {0, 0, 0, 0}));
  // Only the whole word 0x0000 is transparent.
  EXPECT_EQ(DecodeInViewer(LogoBytes(1, 1, {0x7FFF}), 1), Concat(ExpectedHeader(1, 1), {0xF8, 0xF8, 0xF8, 0}));
}

TEST_F(DecoderTest, ChannelsComeOutBlueGreenRed) {
  EXPECT_EQ(DecodeInBoth(LogoBytes(1, 1, {0x7C00})), Concat(ExpectedHeader(1, 1), {0x00, 0x00, 0xF8, 0}));
  EXPECT_EQ(DecodeInBoth(LogoBytes(1, 1, {0xFFFF})), Concat(ExpectedHeader(1, 1), {0xF8, 0xF8, 0xF8, 0}));
  EXPECT_EQ(DecodeInBoth(LogoBytes(1, 1, {0x83E0})), Concat(ExpectedHeader(1, 1), {0x00, 0xF8, 0x00, 0}));
}

// Every one of the 65,536 words, in both variants: row y holds the words
// whose high byte is y, so the channels split across the two bytes are all
// met.
TEST_F(DecoderTest, EveryWordExpandsToItsChannels) {
  const Bytes logo = test::LogoBytesOf(256, 256, [](int x, int y) { return static_cast<uint16_t>(y << 8 | x); });
  const Bytes viewer = DecodeInViewer(logo, 1);
  const Bytes console = DecodeInConsole(logo);
  for (int y = 0; y < 256; ++y) {
    for (int x = 0; x < 256; ++x) {
      const auto word = static_cast<uint16_t>(y << 8 | x);
      const size_t at = 54 + static_cast<size_t>(255 - y) * 256 * 3 + 3 * static_cast<size_t>(x);
      const Rgb colour = ExpandLogoPixel(word);
      const Bytes expected = {colour.blue, colour.green, colour.red};
      ASSERT_EQ(Bytes(console.begin() + at, console.begin() + at + 3), expected) << std::hex << word;
      const Bytes shown = word == 0 ? Bytes{0x58, 0x28, 0x08} : expected;  // "Blauw(donk)"
      ASSERT_EQ(Bytes(viewer.begin() + at, viewer.begin() + at + 3), shown) << std::hex << word;
    }
  }
}

TEST_F(DecoderTest, RowsAreStoredBottomUpWithPaddingToFourBytes) {
  // 3 x 2: top row red, green, blue; bottom row white, black, grey.
  const Bytes logo = LogoBytes(3, 2, {0xFC00, 0x83E0, 0x801F, 0xFFFF, 0x8000, 0xC210});
  const Bytes expected = Concat(ExpectedHeader(3, 2), {0xF8, 0xF8, 0xF8, 0, 0, 0, 0x80, 0x80, 0x80, 0, 0, 0,
                                                       0, 0, 0xF8, 0, 0xF8, 0, 0xF8, 0, 0, 0, 0, 0});
  EXPECT_EQ(DecodeInBoth(logo), expected);
}

TEST_F(DecoderTest, PaddingFollowsTheWidth) {
  for (int32_t width : {1, 2, 3, 4, 5, 6, 7, 50, 54}) {
    const Bytes logo = test::LogoBytesOf(width, 2, [](int, int) { return 0xFFFF; });
    const Bytes image = DecodeInBoth(logo);
    ASSERT_EQ(static_cast<int64_t>(image.size()), DecodedBmpSize(width, 2)) << width;
    ASSERT_EQ(image.size(), 54 + 2 * (3 * width + width % 4)) << width;
    const size_t rowSize = 3 * width + width % 4;
    for (size_t i = 0; i < static_cast<size_t>(width % 4); ++i) {
      EXPECT_EQ(image[54 + rowSize - 1 - i], 0) << width;
    }
  }
}

TEST_F(DecoderTest, KvxAndHznLogosGiveTheirKnownSizes) {
  const Bytes kvx = test::LogoBytesOf(50, 30, [](int x, int y) { return 0x8000 | (x % 32) << 10 | (y % 32); });
  const Bytes image = DecodeInBoth(kvx);
  ASSERT_EQ(image.size(), 4614u);
  EXPECT_EQ(Bytes(image.begin() + 18, image.begin() + 26), (Bytes{0x32, 0, 0, 0, 0x1E, 0, 0, 0}));
  // The first stored row is the logo's bottom row (y = 29): blue 29 * 8.
  EXPECT_EQ(image[54], 29 * 8);
  EXPECT_EQ(image[54 + 150], 0);  // each 152-byte row ends in 2 padding bytes
  EXPECT_EQ(image[54 + 151], 0);

  const Bytes hzn = test::LogoBytesOf(54, 34, [](int, int) { return 0xFFFF; });
  EXPECT_EQ(DecodeInBoth(hzn).size(), 5630u);
}

TEST_F(DecoderTest, AnIndependentReaderSeesTheSamePixels) {
  const Bytes logo = test::LogoBytesOf(7, 5, [](int x, int y) {
    return static_cast<uint16_t>(0x8000 | (x * 4) << 10 | (y * 6) << 5 | (x + y));
  });
  DecodeInConsole(logo);
  QImage image;
  ASSERT_TRUE(image.load(QString::fromStdString(dir_ / "logo.bmp"), "BMP"));
  ASSERT_EQ(image.width(), 7);
  ASSERT_EQ(image.height(), 5);
  for (int y = 0; y < 5; ++y) {
    for (int x = 0; x < 7; ++x) {
      EXPECT_EQ(image.pixel(x, y), qRgb(x * 4 * 8, y * 6 * 8, (x + y) * 8)) << x << "," << y;
    }
  }
}

TEST_F(DecoderTest, RowsAreFoundFromTheEndOfTheFile) {
  const Bytes logo = LogoBytes(2, 1, {0xFC00, 0x801F});
  Bytes padded(logo.begin(), logo.begin() + 8);
  padded.insert(padded.end(), {0x12, 0x34, 0x56});  // junk between header and pixels is skipped
  padded.insert(padded.end(), logo.begin() + 8, logo.end());
  EXPECT_EQ(DecodeInBoth(padded), DecodeInBoth(logo));

  Bytes trailing = logo;
  trailing.insert(trailing.end(), {0xFF, 0xFF});  // bytes after the data shift the rows
  EXPECT_EQ(DecodeInBoth(trailing), Concat(ExpectedHeader(2, 1), {0xF8, 0, 0, 0xF8, 0xF8, 0xF8, 0, 0}));
}

TEST_F(DecoderTest, EmptyAndNegativeSizesGiveTheHeaderAlone) {
  for (const auto& size : std::vector<std::pair<int32_t, int32_t>>{
           {0, 0}, {0, 5}, {5, 0}, {-1, 3}, {3, -1}, {-7, -7}, {INT32_MIN + 1, 1}}) {
    const Bytes logo = LogoBytes(size.first, size.second, {});
    EXPECT_EQ(DecodeInViewer(logo), ExpectedHeader(size.first, size.second)) << size.first << "x" << size.second;
    EXPECT_EQ(header_.width, size.first);
  }
  EXPECT_EQ(DecodeInConsole(LogoBytes(-5, 2, {})), ExpectedHeader(-5, 2));
  EXPECT_EQ(DecodeInConsole(LogoBytes(3, -2, {})), ExpectedHeader(3, -2));
}

TEST_F(DecoderTest, TruncatedFilesAreRefusedBeforeAnyOutput) {
  EXPECT_EQ(ConsoleFailure({0, 0, 0, 0x32, 0, 0, 0}), "Logo file too short for its header: 7 bytes");
  EXPECT_EQ(ConsoleFailure({}), "Logo file too short for its header: 0 bytes");
  EXPECT_EQ(ConsoleFailure(LogoBytes(50, 30, {1, 2, 3})), "Logo file too short for 50 x 30 pixels: 14 bytes");
  EXPECT_EQ(ConsoleFailure(LogoBytes(1000, 1000, std::vector<uint16_t>(1500))),
            "Logo file too short for 1000 x 1000 pixels: 3008 bytes");
  EXPECT_EQ(ConsoleFailure(LogoBytes(INT32_MAX / 2, INT32_MAX, {})),
            "Logo file too short for 1073741823 x 2147483647 pixels: 8 bytes");
  EXPECT_FALSE(test::FileExists(dir_ / "logo.bmp"));

  // The viewer keeps its previous image.
  const Bytes previous = DecodeInViewer(LogoBytes(1, 1, {0xFFFF}));
  test::WriteFile(dir_ / "short.kvx", LogoBytes(2, 2, {0xFFFF}));
  EXPECT_THROW(DecodeLogo(dir_ / "short.kvx", 0, input_, output_, files_), EInvalidLogo);
  EXPECT_EQ(Contents(output_), previous);
  EXPECT_THROW(DecodeLogo(dir_ / "missing.kvx", 0, input_, output_, files_), EFOpenError);
  EXPECT_EQ(Contents(output_), previous);
}

TEST_F(DecoderTest, ConsoleOverflowOnTheWidthComesBeforeTheOutputFileExists) {
  Bytes logo = LogoBytes(1073741825, 1, std::vector<uint16_t>(1500));
  EXPECT_EQ(ConsoleFailure(logo), "Integerüberlauf");
  EXPECT_FALSE(test::FileExists(dir_ / "logo.bmp"));
  EXPECT_EQ(ConsoleFailure(LogoBytes(-1073741824, 1, {})), "Integerüberlauf");
  EXPECT_EQ(ConsoleFailure(LogoBytes(INT32_MIN, 1, {})), "Integerüberlauf");
  EXPECT_FALSE(test::FileExists(dir_ / "logo.bmp"));
  // The boundary values themselves pass the first check.
  EXPECT_EQ(ConsoleFailure(LogoBytes(1073741824, 1, {})),
            "Logo file too short for 1073741824 x 1 pixels: 8 bytes");
}

TEST_F(DecoderTest, ConsoleOverflowOnTheHeightComesAfterTheHeader) {
  EXPECT_EQ(ConsoleFailure(LogoBytes(50, INT32_MIN, std::vector<uint16_t>(1500))), "Integerüberlauf");
  EXPECT_EQ(test::ReadFile(dir_ / "logo.bmp"), ExpectedHeader(50, INT32_MIN));
}

TEST_F(DecoderTest, ConsoleOverflowOnFourTimesTheWidthComesAtTheFirstRow) {
  // -2 * width fits, -4 * width does not: the header is on disk, nothing more.
  EXPECT_EQ(ConsoleFailure(LogoBytes(-600000000, 3, {})), "Integerüberlauf");
  EXPECT_EQ(test::ReadFile(dir_ / "logo.bmp"), ExpectedHeader(-600000000, 3));
  // A negative width within range has rows without pixels: header only.
  EXPECT_EQ(DecodeInConsole(LogoBytes(-536870911, INT32_MAX, {})), ExpectedHeader(-536870911, INT32_MAX));
}

TEST_F(DecoderTest, AFailedConsoleWriteEndsTheDecodingAndTheOutputKeepsTheRowsBeforeIt) {
  // 5 x 6: each stored row is 15 pixel bytes and one padding byte.
  MemoryFiles files;
  files.logo = test::LogoBytesOf(5, 6, [](int x, int y) { return static_cast<uint16_t>(0x8000 | x << 10 | y); });
  DecodeLogoToFile("logo.kvx", input_, files)->Close();
  EXPECT_TRUE(files.closed);
  EXPECT_EQ(files.outputName, "logo.bmp");
  const Bytes whole = files.written;
  DecodeLogoBytes(files.logo.data(), files.logo.size(), 0, output_);
  ASSERT_EQ(whole, Contents(output_));

  // Room for the header and three rows: the fourth row's pixels fail.
  files.room = 54 + 3 * 16;
  try {
    DecodeLogoToFile("logo.kvx", input_, files);
    FAIL() << "no failure";
  } catch (const EInOutError& failure) {
    EXPECT_STREQ(failure.what(), "Zu wenig Speicherplatz");
  }
  EXPECT_FALSE(files.closed);
  EXPECT_EQ(files.written, Bytes(whole.begin(), whole.begin() + 54 + 3 * 16));
}

TEST_F(DecoderTest, ViewerArithmeticNeverFailsOnHeaderValues) {
  EXPECT_EQ(DecodeInViewer(LogoBytes(INT32_MIN, INT32_MIN, {})), ExpectedHeader(INT32_MIN, INT32_MIN));
  EXPECT_EQ(DecodeInViewer(LogoBytes(-600000000, 3, {})), ExpectedHeader(-600000000, 3));
  EXPECT_EQ(DecodeInViewer(LogoBytes(50, INT32_MIN, {})), ExpectedHeader(50, INT32_MIN));
}

TEST_F(DecoderTest, ConsoleOutputOverwritesAnExistingFile) {
  test::WriteFile(dir_ / "logo.bmp", Bytes(10000, 0xEE));
  EXPECT_EQ(DecodeInConsole(LogoBytes(1, 1, {0xFFFF})), Concat(ExpectedHeader(1, 1), {0xF8, 0xF8, 0xF8, 0}));
}

}  // namespace
}  // namespace lum
