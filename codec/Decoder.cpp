#include "codec/Decoder.h"

#include <limits>

#include "base/Errors.h"
#include "base/Messages.h"
#include "codec/FileNames.h"

namespace lum {

const Rgb TransparencyColourTable[kTransparencyColourCount] = {
    {0, 0, 0},        // "Zwart"
    {8, 40, 88},      // "Blauw(donk)"
    {8, 88, 32},      // "Groen (donk)"
    {88, 8, 40},      // "Rood(donk)"
    {32, 32, 32},     // "Grijs(donk)"
    {255, 255, 255},  // "Wit  "
    {24, 56, 120},    // "Blau"
    {24, 120, 56},    // "Groen"
    {120, 24, 56},    // "Roo"
    {48, 48, 48},     // "Grij"
};

Rgb TransparencyColour(int index) {
  if (index < 0 || index >= kTransparencyColourCount) return TransparencyColourTable[0];
  return TransparencyColourTable[index];
}

Rgb ExpandLogoPixel(LogoPixel word) {
  Rgb colour;
  colour.blue = static_cast<uint8_t>((word & 0x001F) << 3);
  colour.green = static_cast<uint8_t>(((word & 0x03E0) >> 5) << 3);
  colour.red = static_cast<uint8_t>(((word & 0x7C00) >> 10) << 3);
  return colour;
}

std::string BmpNameFor(const std::string& logoName) { return ChangeFileExt(logoName, ".bmp"); }

namespace {

// The console decoder's checked arithmetic: a result outside 32 bits ends the
// decoding, as the console converter has always reported such headers.
int32_t Checked(int64_t value) {
  if (value < std::numeric_limits<int32_t>::min() || value > std::numeric_limits<int32_t>::max()) {
    throw EIntOverflow();
  }
  return static_cast<int32_t>(value);
}

// The header of a loaded logo file. A file too short to hold one is refused.
LogoHeader ReadHeader(const ByteBuffer& input) {
  if (input.Size() < kLogoHeaderSize) {
    throw EInvalidLogo(msg::Format(msg::kLogoTooShortForHeader, {std::to_string(input.Size())}));
  }
  return ReadLogoHeader(input.Data());
}

// Rows are found from the end of the file, so a file shorter than its header
// announces would have its top rows read from the header or from before the
// buffer. Such files are refused before any output is produced; this also
// bounds the output by the input's size.
void CheckPixelsFit(LogoHeader header, int64_t fileSize) {
  if (header.width < 1 || header.height < 1) return;
  if (fileSize < LogoFileSize(header.width, header.height)) {
    throw EInvalidLogo(msg::Format(msg::kLogoTooShortForPixels,
                                   {std::to_string(header.width), std::to_string(header.height),
                                    std::to_string(fileSize)}));
  }
}

// Expands `count` words, high byte first, into blue, green, red bytes.
// Only the word 0x0000 is transparent.
void DecodePixels(const uint8_t* words, int32_t count, const Rgb* transparent, uint8_t* out) {
  for (int32_t x = 0; x < count; ++x, words += 2) {
    const LogoPixel word = ReadBigEndian16(words);
    const Rgb colour = (transparent && word == kTransparentPixel) ? *transparent : ExpandLogoPixel(word);
    *out++ = colour.blue;
    *out++ = colour.green;
    *out++ = colour.red;
  }
}

// Takes the row of `width` words at the input's position and moves on, as a
// read of those bytes would. CheckPixelsFit has made sure they are there, so
// the words are used in place: no copy, and nothing to allocate per row.
const uint8_t* TakeRow(ByteBuffer& input, int32_t width) {
  const uint8_t* row = input.Data() + input.Position();
  input.Seek(2 * int64_t{width}, SeekOrigin::Current);
  return row;
}

// Row r (0 = top) starts at size - 2 * width * (height - r): the walk starts
// at the bottom row and steps back 4 * width bytes after each row.
int64_t BottomRowOffset(const ByteBuffer& input, int32_t width) { return input.Size() - 2 * int64_t{width}; }

}  // namespace

LogoHeader DecodeLogo(const std::string& fileName, int transparencyIndex, ByteBuffer& inputBuffer,
                      ByteBuffer& outputBuffer, FileSeam& files) {
  inputBuffer.LoadFromFile(fileName, files);
  const LogoHeader header = ReadHeader(inputBuffer);
  CheckPixelsFit(header, inputBuffer.Size());
  const int32_t width = header.width;
  const int32_t height = header.height;
  const Rgb transparent = TransparencyColour(transparencyIndex);

  // The image is built aside and takes the buffer's place only when it is
  // whole, so a failure leaves the previous image.
  ByteBuffer image;
  image.SetSize(DecodedBmpSize(width, height));  // padding bytes stay zero
  uint8_t* out = image.Data();
  WriteBmpHeader(out, width, height);
  out += kBmpHeaderSize;

  // The viewer's arithmetic on the header is unchecked; 64-bit positions
  // walk the rows where they really are, whatever the values.
  if (width >= 1 && height >= 1) {
    inputBuffer.Seek(BottomRowOffset(inputBuffer, width), SeekOrigin::Begin);
    const int64_t rowSize = 3 * int64_t{width} + BmpRowPadding(width);
    for (int32_t r = 0; r < height; ++r, out += rowSize) {
      DecodePixels(TakeRow(inputBuffer, width), width, &transparent, out);
      inputBuffer.Seek(-4 * int64_t{width}, SeekOrigin::Current);
    }
  }
  outputBuffer = std::move(image);
  outputBuffer.Seek(0, SeekOrigin::Begin);
  return header;
}

std::unique_ptr<OutputWriter> DecodeLogoToFile(const std::string& fileName, ByteBuffer& inputBuffer,
                                               FileSeam& files) {
  inputBuffer.LoadFromFile(fileName, files);
  const LogoHeader header = ReadHeader(inputBuffer);
  const int32_t width = header.width;
  const int32_t height = header.height;

  // The four checked values come at the moments they always have: -2 * width
  // before the output file exists, height - 1 after its header is written,
  // and -4 * width after each row's pixels. width - 1, checked at the start
  // of each row, cannot fail once -2 * width has passed.
  inputBuffer.Seek(Checked(-2 * int64_t{width}) + inputBuffer.Size(), SeekOrigin::Begin);
  CheckPixelsFit(header, inputBuffer.Size());

  std::unique_ptr<OutputWriter> output = files.CreateOutput(BmpNameFor(fileName));
  uint8_t bmpHeader[kBmpHeaderSize];
  WriteBmpHeader(bmpHeader, width, height);
  output->Write(bmpHeader, kBmpHeaderSize);
  Checked(int64_t{height} - 1);

  if (height >= 1) {
    if (width < 1) {
      // Rows without pixels write nothing; only the first row's check can
      // fail, so the remaining (possibly two billion) rows are skipped.
      Checked(-4 * int64_t{width});
    } else {
      // Pixels go out through a fixed piece of memory, however wide a row.
      constexpr int32_t kChunkPixels = 4096;
      uint8_t chunk[3 * kChunkPixels];
      const uint8_t padding[3] = {0, 0, 0};
      for (int32_t r = 0; r < height; ++r) {
        const uint8_t* words = TakeRow(inputBuffer, width);
        for (int32_t x = 0; x < width; x += kChunkPixels) {
          const int32_t count = width - x < kChunkPixels ? width - x : kChunkPixels;
          DecodePixels(words + 2 * static_cast<size_t>(x), count, nullptr, chunk);
          output->Write(chunk, 3 * static_cast<size_t>(count));
        }
        inputBuffer.Seek(Checked(-4 * int64_t{width}), SeekOrigin::Current);
        output->Write(padding, static_cast<size_t>(BmpRowPadding(width)));
      }
    }
  }
  output->Flush();
  return output;
}

}  // namespace lum
