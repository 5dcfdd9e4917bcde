// Decoding a logo file into a 24-bit BMP image, in two variants that share
// the header, the row walk and the colour expansion:
//
//  - DecodeLogo (viewer) builds the image in memory and shows transparent
//    pixels in a colour the user picked;
//  - DecodeLogoToFile (console) writes the image to a file beside the input,
//    shows transparent pixels black, and checks its arithmetic on the header
//    for overflow.
//
// Both refuse files too short for what their header announces before they
// produce anything, so neither ever reads outside the loaded file.
#pragma once

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

/// Viewer variant. Loads the file into `inputBuffer` and builds the whole BMP
/// image in `outputBuffer`, positioned at its start. Returns the size read
/// from the header. A failure leaves `outputBuffer` as it was.
LogoHeader DecodeLogo(const std::string& fileName, int transparencyIndex, ByteBuffer& inputBuffer,
                      ByteBuffer& outputBuffer, FileSeam& files);

/// Console variant. Loads the file into `inputBuffer` and writes the BMP
/// image to the input's name with the extension ".bmp", created or
/// overwritten. Every byte has been handed to the system when it returns;
/// the file is still open, and closing it is the caller's part. Failures:
/// EFOpenError, EOutOfMemory, EIntOverflow, EInvalidLogo, EInOutError; an
/// output file created before the failure keeps what was written to it.
std::unique_ptr<OutputWriter> DecodeLogoToFile(const std::string& fileName, ByteBuffer& inputBuffer,
                                               FileSeam& files);

/// The name the console variant writes to.
std::string BmpNameFor(const std::string& logoName);

}  // namespace lum
