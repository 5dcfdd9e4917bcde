// 24-bit BMP images: the header that the decoders produce, the variant the
// platform's bitmap writer saves (with the sizes filled in), and a look at
// the first bytes of any BMP file before its pixels are read.
//
// A 14-byte file header and a 40-byte information header (all fields
// little-endian), then the rows bottom-up, each row `width` pixels of
// blue, green, red bytes followed by (width mod 4) zero bytes, which brings
// a row of 3 * width bytes to a multiple of four.
//
//   offset  size  field                      value written
//    0      2     signature                  "BM"
//    2      4     file size                  0
//    6      4     reserved                   0
//   10      4     offset of the pixel data   54
//   14      4     information header size    40
//   18      4     width                      the logo's width as read
//   22      4     height                     the logo's height as read
//   26      2     planes                     1
//   28      2     bits per pixel             24
//   30..53        compression, sizes,
//                 resolutions, colours       0
//
// In the decoders' images file size and image size stay 0: readers take them
// from the other fields.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

namespace lum {

constexpr int kBmpHeaderSize = 54;

struct Rgb {
  uint8_t red = 0;
  uint8_t green = 0;
  uint8_t blue = 0;
};

/// Writes the 54 header bytes for an image of this size.
void WriteBmpHeader(uint8_t* header, int32_t width, int32_t height);

/// Zero bytes after each row: width mod 4 with the sign of the width, so a
/// negative width has none.
inline int32_t BmpRowPadding(int32_t width) { return width % 4 > 0 ? width % 4 : 0; }

/// The size of a decoded image: 54 + h * (3w + w mod 4) bytes for w, h >= 1,
/// the header alone otherwise.
int64_t DecodedBmpSize(int32_t width, int32_t height);

/// The header of a BMP file that the platform's bitmap writer saves: the
/// decoders' header with the file size (offset 2) and the image size
/// (offset 34) filled in, for width, height >= 0.
void WriteBmpFileHeader(uint8_t* header, int32_t width, int32_t height);

/// What the first bytes of a BMP file say about its pixels, read before
/// anything is allocated for them.
struct BmpLayout {
  int64_t width = 0;
  int64_t height = 0;  ///< negative for rows stored top-down
  int bitsPerPixel = 0;
  /// The information header's size: 12 for the old header, 40 and up after.
  uint32_t infoHeaderSize = 0;
  /// The coding of the rows (0 in the old header): 0 as they are, 1 RLE8,
  /// 2 RLE4, 3 and 6 colour masks (in the 64-byte OS/2 header 3 is Huffman).
  uint32_t compression = 0;
  bool compressed = false;  ///< RLE or an embedded image: no fixed row size
  /// The entries of the colour table, for up to 8 bits a pixel: the count
  /// the header gives, all the depth allows when it gives none, at most 256.
  uint32_t colourCount = 0;
  /// Red, green, blue and alpha, when the rows are read through colour masks
  /// (0 for a mask the file does not give). `maskCount` says how many the
  /// file gives: 0, 3 or 4.
  uint32_t masks[4] = {0, 0, 0, 0};
  int maskCount = 0;
  /// Where the rows begin: the offset the file header gives, or the end of
  /// the headers, colour table and bit masks when that comes later.
  int64_t pixelDataOffset = 0;

  int64_t PixelCount() const { return Magnitude(width) * Magnitude(height); }
  /// For uncompressed rows: the offset just past the last row, each row
  /// padded to four bytes. A shorter file would leave rows unread.
  int64_t PixelDataEnd() const;

 private:
  static int64_t Magnitude(int64_t v) { return v < 0 ? -v : v; }
};

/// Reads the file header and the information header (with the colour masks
/// after or inside it): 16-bit sizes in the old 12-byte header (taken as unsigned, the
/// larger reading), signed 32-bit sizes in every later one. Nothing when the
/// bytes are too few for them or do not start with "BM".
std::optional<BmpLayout> PeekBmpLayout(const uint8_t* bytes, size_t size);

}  // namespace lum
