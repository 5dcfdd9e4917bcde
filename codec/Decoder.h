// Decoding a logo file into a 24-bit BMP image. One core decodes the bytes
// of a logo held in memory; the viewer, the console converter, the fuzzers
// and anything else that shows logos share its header checks, its row walk
// and its colour expansion. Two file variants wrap it:
//
//  - DecodeLogo (viewer) loads the file and builds the image in memory,
//    showing transparent pixels in a colour the user picked;
//  - DecodeLogoToFile (console) loads the file and writes the image to a
//    file beside the input as it goes, shows transparent pixels black, and
//    checks its arithmetic on the header for overflow.
//
// All refuse logos too short for what their header announces before they
// produce anything, so none ever reads outside the logo's bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "codec/BmpImage.h"
#include "codec/ByteBuffer.h"
#include "codec/FileSeam.h"
#include "codec/LogoFormat.h"

namespace lum {

constexpr int kTransparencyColourCount = 10;

/// The colours in which the viewer may show transparent pixels, by the item
/// index of its transparency choice ("Zwart", "Blauw(donk)", ...).
extern const Rgb TransparencyColourTable[kTransparencyColourCount];

/// The table's colour for an index; black for any index outside it (-1 means
/// that no item is chosen).
Rgb TransparencyColour(int index);

/// Each 5-bit channel c becomes the byte c * 8; bit 15 takes no part.
Rgb ExpandLogoPixel(LogoPixel word);

/// The core: decodes the logo file held in `data` (`size` bytes) into the
/// whole BMP image in `image`, positioned at its start, with transparent
/// pixels in the colour of `transparencyIndex`. Returns the size read from
/// the header. Its arithmetic on the header is unchecked: no header value
/// makes it fail. Throws EInvalidLogo for a logo too short for its header or
/// its pixels, EOutOfMemory; a failure leaves `image` as it was.
LogoHeader DecodeLogoBytes(const uint8_t* data, size_t size, int transparencyIndex, ByteBuffer& image);

/// Viewer variant. Loads the file into `inputBuffer` and decodes it into
/// `outputBuffer` with DecodeLogoBytes. Also throws EFOpenError and
/// EInOutError; a failure leaves `outputBuffer` as it was.
LogoHeader DecodeLogo(const std::string& fileName, int transparencyIndex, ByteBuffer& inputBuffer,
                      ByteBuffer& outputBuffer, FileSeam& files);

/// Console variant. Loads the file into `inputBuffer` and writes the BMP
/// image, row by row, to the input's name with the extension ".bmp",
/// created or overwritten through `files`. Every byte has been handed on
/// (Flush) when it returns; the output is still open, and closing it is the
/// caller's part. Failures: EFOpenError, EOutOfMemory, EIntOverflow,
/// EInvalidLogo, EInOutError; an output created before the failure is
/// dropped unclosed, so a file of the host keeps what was written to it.
std::unique_ptr<OutputWriter> DecodeLogoToFile(const std::string& fileName, ByteBuffer& inputBuffer,
                                               FileSeam& files);

/// The name the console variant writes to.
std::string BmpNameFor(const std::string& logoName);

}  // namespace lum
