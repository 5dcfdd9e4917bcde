// The logo file format.
//
// A logo file is an 8-byte header followed by the pixel words and nothing
// else. It has no magic number, no version and no colour table; its kind
// follows from its size alone.
//
//   offset 0   int32 width    pixels per row      (BE, read as signed)
//   offset 4   int32 height   number of rows      (BE, read as signed)
//   offset 8   uint16 word[width * height]         (BE, top row first,
//                                                   left to right)
//
// A well-formed file is exactly 8 + 2 * width * height bytes. The readers do
// not trust the header to locate the data, though: the pixel rows are the
// last 2 * width * height bytes of the file (see LogoRowOffset).
//
// The pixel word:
//
//    15  14        10  9          5  4          0
//   +---+-------------+-------------+-------------+
//   | O |     red     |    green    |    blue     |
//   +---+-------------+-------------+-------------+
//
//   O = 1 (opaque) for every pixel a writer stores, except the transparent
//   word 0x0000. Readers test the whole word: only 0x0000 is transparent;
//   0x7FFF is white, 0x8000 opaque black.
//
// Size classes, decided by exact comparison of both numbers:
//
//   class   size      file size            extension   size-label text
//   KVX     50 x 30   3008 bytes           ".kvx"      "  (KVX compatible)"
//   HZN     54 x 34   3680 bytes           ".hzn"      "  (HZN compatible)"
//   None     0 x 0       8 bytes           ".kvx"      (label is the text alone)
//   Other   any       8 + 2 * w * h        ".kvx"      "  (no logo recognized)"
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace lum {

/// The 8-byte header of a logo file, as host numbers.
struct LogoHeader {
  int32_t width = 0;   ///< bytes 0-3, big-endian, signed
  int32_t height = 0;  ///< bytes 4-7, big-endian, signed
};

/// One logo pixel word in host order.
using LogoPixel = uint16_t;

constexpr int kLogoHeaderSize = 8;
constexpr LogoPixel kTransparentPixel = 0x0000;
constexpr LogoPixel kOpaqueFlag = 0x8000;
constexpr int64_t kKvxFileSize = 3008;

/// The most pixels a logo is read or written with where the whole picture
/// is made in memory (the viewer, the image plugins): 16 Mi, 4096 x 4096.
/// Showing a logo takes 9 bytes a pixel of fresh memory (the file's pixels,
/// the BMP image, the 32-bit picture), and the first touch of that memory
/// is most of the cost: on the development machine Lumiq shows a logo of
/// 16 Mi pixels within a second, one of 32 Mi took 1.5 s (bench/RESULTS.md).
constexpr int64_t kMaxLogoPixels = int64_t{16} << 20;

/// The largest well-formed logo file of at most kMaxLogoPixels pixels: the
/// header and 2 bytes a pixel, 32 MiB and 8 bytes.
constexpr int64_t kMaxLogoFileSize = kLogoHeaderSize + 2 * kMaxLogoPixels;

/// Reverses the four bytes of a 32-bit value.
constexpr uint32_t SwapBytes32(uint32_t v) {
  return (v >> 24) | ((v >> 8) & 0x0000FF00u) | ((v << 8) & 0x00FF0000u) | (v << 24);
}

/// Exchanges the two bytes of a 16-bit value.
constexpr uint16_t SwapBytes16(uint16_t v) {
  return static_cast<uint16_t>((v >> 8) | (v << 8));
}

/// Big-endian readers and writers over raw bytes; the file order is the same
/// on every host, so these never depend on the host's own byte order.
inline uint32_t ReadBigEndian32(const uint8_t* p) {
  return (uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) | (uint32_t{p[2]} << 8) | uint32_t{p[3]};
}
inline uint16_t ReadBigEndian16(const uint8_t* p) {
  return static_cast<uint16_t>((p[0] << 8) | p[1]);
}
inline void WriteBigEndian32(uint8_t* p, uint32_t v) {
  p[0] = static_cast<uint8_t>(v >> 24);
  p[1] = static_cast<uint8_t>(v >> 16);
  p[2] = static_cast<uint8_t>(v >> 8);
  p[3] = static_cast<uint8_t>(v);
}
inline void WriteBigEndian16(uint8_t* p, uint16_t v) {
  p[0] = static_cast<uint8_t>(v >> 8);
  p[1] = static_cast<uint8_t>(v);
}

/// Reads the header from the first eight bytes of a logo file.
LogoHeader ReadLogoHeader(const uint8_t* bytes);

/// The header of the logo file held in `data` (`size` bytes). Throws
/// EInvalidLogo for data too short to hold one.
LogoHeader LogoHeaderOf(const uint8_t* data, size_t size);

/// Throws EInvalidLogo when a logo with pixels (width and height at least 1)
/// is shorter than its header and pixels: its top rows would lie over the
/// header or before the first byte. Every reader checks this before it
/// produces anything, which also bounds what it produces by the file's size.
void CheckLogoPixelsFit(LogoHeader header, size_t size);

/// Throws EInvalidLogo ("Logo too large: ...") when a logo with pixels
/// announces more than `maxPixels` of them.
void CheckLogoPixelCount(LogoHeader header, int64_t maxPixels);

/// Where row `y` (0 = top) of a logo file of `size` bytes starts:
/// size - 2 * width * (height - y). For a logo that passed
/// CheckLogoPixelsFit, every row lies within the file.
int64_t LogoRowOffset(LogoHeader header, size_t size, int32_t y);

/// Writes the header as eight bytes, most significant byte first.
void WriteLogoHeader(uint8_t* bytes, LogoHeader header);

/// The size of a well-formed logo file of this size: 8 + 2 * w * h, the
/// header alone when w or h is not positive.
int64_t LogoFileSize(int32_t width, int32_t height);

enum class SizeClass { Kvx, Hzn, None, Other };

SizeClass ClassifySize(int32_t width, int32_t height);

/// The extension an encoded file of this class gets (".kvx" or ".hzn").
const char* SizeClassExtension(SizeClass sizeClass);

/// The text of the viewer's size label for this size, e.g.
/// "50 x 30  (KVX compatible)", or "(no logo recognized)" for 0 x 0.
std::string SizeLabelText(int32_t width, int32_t height);

}  // namespace lum
