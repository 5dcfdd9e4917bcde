#include "codec/Decoder.h"

#include <limits>

#include "base/Errors.h"
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
void Checked(int64_t value) {
  if (value < std::numeric_limits<int32_t>::min() || value > std::numeric_limits<int32_t>::max()) {
    throw EIntOverflow();
  }
}

// ExpandLogoPixel by table, as 0x00RRGGBB: the low byte of a word holds
// blue and the low three bits of green, the high byte the rest of green and
// red, so each byte's share of the colour is looked up and the two are
// combined. A large logo decodes several times as fast as with the shifts.
struct ExpansionTables {
  uint32_t high[256];
  uint32_t low[256];
};

constexpr ExpansionTables MakeExpansionTables() {
  ExpansionTables tables{};
  for (uint32_t byte = 0; byte < 256; ++byte) {
    tables.high[byte] = (byte >> 2 & 0x1F) << 19 | (byte & 0x03) << 14;
    tables.low[byte] = (byte >> 5) << 11 | (byte & 0x1F) << 3;
  }
  return tables;
}

constexpr ExpansionTables kExpansion = MakeExpansionTables();

uint32_t Packed(Rgb colour) { return uint32_t{colour.red} << 16 | uint32_t{colour.green} << 8 | colour.blue; }

// Expands `count` words, high byte first, into blue, green, red bytes.
// Only the word 0x0000 is transparent, and shows as `transparent`.
void DecodePixels(const uint8_t* words, int32_t count, Rgb transparent, uint8_t* out) {
  const uint32_t shownForTransparent = Packed(transparent);
  for (int32_t x = 0; x < count; ++x, words += 2, out += 3) {
    const uint32_t colour = (words[0] | words[1]) == 0 ? shownForTransparent
                                                       : kExpansion.high[words[0]] | kExpansion.low[words[1]];
    out[0] = static_cast<uint8_t>(colour);
    out[1] = static_cast<uint8_t>(colour >> 8);
    out[2] = static_cast<uint8_t>(colour >> 16);
  }
}

// The row walk of both variants: calls `row` with the `width` words of each
// row, the bottom row first, as a BMP stores them. Only for width >= 1 and
// height >= 1, after CheckLogoPixelsFit: every row lies within the data, and
// the words are used in place.
template <typename Row>
void WalkRowsBottomUp(const uint8_t* data, size_t size, LogoHeader header, Row row) {
  for (int32_t y = header.height - 1; y >= 0; --y) row(data + LogoRowOffset(header, size, y));
}

}  // namespace

LogoHeader DecodeLogoBytes(const uint8_t* data, size_t size, int transparencyIndex, ByteBuffer& image) {
  const LogoHeader header = LogoHeaderOf(data, size);
  CheckLogoPixelsFit(header, size);
  const int32_t width = header.width;
  const int32_t height = header.height;
  const Rgb transparent = TransparencyColour(transparencyIndex);

  // The image is built aside and takes the buffer's place only when it is
  // whole, so a failure leaves the previous image.
  ByteBuffer built;
  built.SetSizeForOverwrite(DecodedBmpSize(width, height));  // every byte is written below
  uint8_t* out = built.Data();
  WriteBmpHeader(out, width, height);
  out += kBmpHeaderSize;

  // No arithmetic on the header is checked here; 64-bit offsets find the
  // rows where they really are, whatever the values.
  if (width >= 1 && height >= 1) {
    const int64_t pixelBytes = 3 * int64_t{width};
    const int32_t padding = BmpRowPadding(width);
    WalkRowsBottomUp(data, size, header, [&](const uint8_t* words) {
      DecodePixels(words, width, transparent, out);
      out += pixelBytes;
      for (int32_t i = 0; i < padding; ++i) *out++ = 0;
    });
  }
  image = std::move(built);
  image.Seek(0, SeekOrigin::Begin);
  return header;
}

LogoHeader DecodeLogo(const std::string& fileName, int transparencyIndex, ByteBuffer& inputBuffer,
                      ByteBuffer& outputBuffer, FileSeam& files) {
  inputBuffer.LoadFromFile(fileName, files);
  return DecodeLogoBytes(inputBuffer.Data(), static_cast<size_t>(inputBuffer.Size()), transparencyIndex,
                         outputBuffer);
}

int64_t FileSeam::ReadLogoBytes(const std::string& path, ByteBuffer& into) {
  ReadWholeFile(path, into);
  return into.Size();
}

std::unique_ptr<OutputWriter> DecodeLogoToFile(const std::string& fileName, ByteBuffer& inputBuffer,
                                               FileSeam& files) {
  const int64_t fileSize = files.ReadLogoBytes(fileName, inputBuffer);
  const uint8_t* data = inputBuffer.Data();
  const size_t size = static_cast<size_t>(inputBuffer.Size());
  const LogoHeader header = LogoHeaderOf(data, size);
  const int32_t width = header.width;
  const int32_t height = header.height;

  // The four checked values come at the moments they always have: -2 * width
  // before the output file exists, height - 1 after its header is written,
  // and -4 * width after each row's pixels. width - 1, checked at the start
  // of each row, cannot fail once -2 * width has passed.
  Checked(-2 * int64_t{width});
  CheckLogoPixelsFit(header, static_cast<size_t>(fileSize));
  CheckLogoPixelsFit(header, size);  // and what was read of a file that shrank meanwhile

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
      WalkRowsBottomUp(data, size, header, [&](const uint8_t* words) {
        for (int32_t x = 0; x < width; x += kChunkPixels) {
          const int32_t count = width - x < kChunkPixels ? width - x : kChunkPixels;
          DecodePixels(words + 2 * static_cast<size_t>(x), count, Rgb{}, chunk);  // black
          output->Write(chunk, 3 * static_cast<size_t>(count));
        }
        Checked(-4 * int64_t{width});
        output->Write(padding, static_cast<size_t>(BmpRowPadding(width)));
      });
    }
  }
  output->Flush();
  return output;
}

}  // namespace lum
