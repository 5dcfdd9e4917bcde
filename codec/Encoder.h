// Encoding a bitmap into a logo file: every pixel kept at the bitmap's own
// size, each channel cut to its top five bits, and near-black pixels turned
// into the transparent word when the image's transparency flag is set.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "codec/BmpImage.h"
#include "codec/ByteBuffer.h"
#include "codec/FileNames.h"
#include "codec/LogoFormat.h"
#include "codec/SourceBitmap.h"

namespace lum {

/// The items of the viewer's "Zet transparatie" choice, by index.
enum SetTransIndex : int { kSetTransAuto = 0, kSetTransOn = 1, kSetTransOff = 2 };

/// 0x8000 + r5 * 1024 + g5 * 32 + b5, each channel shifted right by three;
/// 0x0000 instead when `transparent` is set and all three are below 8.
LogoPixel PackLogoPixel(Rgb colour, bool transparent);

/// Clears `buffer` and writes the whole logo file for `bitmap` into it: the
/// header, then every pixel row by row from the top, 8 + 2 * W * H bytes
/// (the header alone when W or H is 0). Reads each pixel once. Throws
/// EOutOfMemory when the buffer can't grow.
void EncodeLogo(const SourceBitmap& bitmap, bool transparent, ByteBuffer& buffer);

/// Writes a whole logo file of `width` x `height` into `buffer`, replacing
/// what it held, and leaves it positioned at its end, as if each word had
/// been appended: the header, then for each row y from the top, the words
/// wordsOfRow(y)(x) from the left (the header alone when W or H is not
/// positive). The file is sized at once, which is where a buffer that can't
/// grow fails (EOutOfMemory).
template <typename WordsOfRow>
void WriteLogoFile(int32_t width, int32_t height, WordsOfRow wordsOfRow, ByteBuffer& buffer) {
  buffer.SetSizeForOverwrite(LogoFileSize(width, height));  // every byte is written below
  uint8_t* out = buffer.Data();
  WriteLogoHeader(out, {width, height});
  out += kLogoHeaderSize;
  if (width >= 1 && height >= 1) {
    for (int32_t y = 0; y < height; ++y) {
      const auto word = wordsOfRow(y);
      for (int32_t x = 0; x < width; ++x, out += 2) WriteBigEndian16(out, word(x));
    }
  }
  buffer.Seek(0, SeekOrigin::End);
}

/// The transparency flag for a W x H image under the "Zet transparatie"
/// choice: "On" sets it, "Uit" clears it, and "Auto" (and any index outside
/// the choice, such as -1 for none) sets it for the KVX size 50 x 30 only.
bool TransparencyFlag(int setTransIndex, int32_t width, int32_t height);

/// The logo file that a W x H bitmap from `inputPath` is saved to: the same
/// path with the extension of its size class (".hzn" for 54 x 34, ".kvx" for
/// every other size).
std::string LogoNameFor(std::string_view inputPath, int32_t width, int32_t height,
                        std::string_view separators = kHostSeparators);

}  // namespace lum
