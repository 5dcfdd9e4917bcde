// The BMP pixel codings that the loader decodes itself rather than through
// Qt's reader: RLE streams, whose skipped pixels Qt leaves uninitialised,
// colour masks wider than 8 bits, whose channels Qt scales to black, and
// plain 24-bit bottom-up rows, the decoded logos' own coding, which Qt's
// generic reader takes several times as long over.
// Standard C++ on the file's bytes; Bitmap-qt.cpp puts the result in a QImage.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "codec/BmpImage.h"

namespace lum::platform {

enum class PixelDecoding {
  Qt,         ///< every other file: Qt's reader
  Rle,        ///< RLE4 or RLE8: ExpandRle
  WideMasks,  ///< 16 or 32 bits through colour masks: ReadMaskedPixels
  Rgb24,      ///< 24 bits as they are, bottom-up: ReadRgb24Pixels
};

struct PixelPlan {
  PixelDecoding decoding = PixelDecoding::Qt;
  bool fourBits = false;         ///< Rle: RLE4 rather than RLE8
  std::vector<uint32_t> colours;  ///< Rle: the palette as 0xFFRRGGBB
};

/// How the pixels of a BMP file whose first bytes gave `layout` are decoded.
/// Throws EInvalidGraphic for what can't be read correctly: an RLE coding of
/// the wrong bit depth, a palette the file does not hold, a colour mask whose
/// bits are not contiguous, that reaches past the pixel's bits or that
/// shares bits with another.
PixelPlan PlanPixelDecoding(const uint8_t* bytes, size_t size, const BmpLayout& layout);

/// Expands the file's RLE4 or RLE8 stream into one palette index a byte, row
/// 0 the top, rows `stride` bytes apart. `rows` must hold zeros: a pixel that
/// the stream leaves out (an early end of line or of the bitmap, a delta, a
/// stream that just stops) keeps palette index 0. A run past the end of its
/// row is cut there.
void ExpandRle(const uint8_t* bytes, size_t size, const BmpLayout& layout, bool fourBits, uint8_t* rows,
               size_t stride);

/// Reads the file's 16- or 32-bit pixels through the layout's masks into
/// 0xAARRGGBB words, row 0 the top, rows `stride` bytes apart. A channel
/// wider than 8 bits keeps its top 8 bits; a narrower one is stretched to
/// 0..255. Without an alpha mask every pixel is opaque. The caller has
/// checked that the file holds every row.
void ReadMaskedPixels(const uint8_t* bytes, size_t size, const BmpLayout& layout, uint32_t* rows, size_t stride);

/// Reads the file's 24-bit rows, blue, green, red a pixel, bottom-up and
/// uncompressed, into opaque 0xFFRRGGBB words, row 0 the top, rows `stride`
/// bytes apart. The caller has checked that the file holds every row.
void ReadRgb24Pixels(const uint8_t* bytes, size_t size, const BmpLayout& layout, uint32_t* rows, size_t stride);

}  // namespace lum::platform
