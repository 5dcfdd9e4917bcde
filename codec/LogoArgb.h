// Logos as pictures with an alpha channel, for the image plugins of other
// programs: 32-bit ARGB words (0xAARRGGBB) in both directions.
//
// Reading, the transparent word 0x0000 becomes alpha 0 and every other word
// alpha 255 with the decoder's colour (ExpandLogoPixel), the same bytes
// lumbatch writes. Writing, alpha below 128 becomes the transparent word and
// every other pixel the encoder's opaque word (PackLogoPixel without the
// near-black rule: alpha is the transparency here).
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

#include "codec/ByteBuffer.h"
#include "codec/LogoFormat.h"

namespace lum {

/// 0x00000000 for the transparent word, else 0xFF000000 | the decoder's
/// colour.
uint32_t LogoPixelToArgb(LogoPixel word);

/// The transparent word for alpha below 128, else the opaque word of the
/// colour (each channel's top five bits). Black stays opaque black 0x8000.
LogoPixel ArgbToLogoPixel(uint32_t argb);

/// Throws EInvalidLogo, with the reason, for a logo size that gives no
/// picture: one without pixels or with more than kMaxLogoPixels.
void CheckLogoPictureSize(LogoHeader header);

/// Whether a file that starts with these 8 header bytes can be a logo with
/// pixels: at least one and at most kMaxLogoPixels, and, where the file's
/// size is known (`fileSize` >= 0), enough bytes for them and no more than
/// kMaxLogoFileSize. Looks at the header only; for sniffing a file's type.
bool CouldBeLogoPicture(const uint8_t* header, int64_t fileSize);

/// Checks the logo file held in `data` before a picture is made of it: a
/// whole header, at least one pixel, at most kMaxLogoPixels, and enough
/// bytes for them. Returns the header. Throws EInvalidLogo.
LogoHeader CheckLogoPicture(const uint8_t* data, size_t size);

/// Writes row `y` (0 = top) of a logo checked by CheckLogoPicture as
/// `header.width` ARGB words. Rows are found from the end of the data, as
/// the decoders find them.
void DecodeLogoRowArgb(const uint8_t* data, size_t size, LogoHeader header, int32_t y, uint32_t* out);

/// Writes `count` ARGB words as R, G, B, A bytes, the order of PNG files
/// and of gdk-pixbuf's pictures.
void ArgbToRgba(const uint32_t* argb, size_t count, uint8_t* rgba);

/// Clears `buffer` and writes the logo file of a `width` x `height` picture
/// whose row y (0 = top) `row(y)` gives as `width` ARGB words: the header,
/// then every word, 8 + 2 * width * height bytes. Throws EInvalidLogo for a
/// picture without pixels or with more than kMaxLogoPixels, EOutOfMemory.
void EncodeLogoArgb(int32_t width, int32_t height, const std::function<const uint32_t*(int32_t y)>& row,
                    ByteBuffer& buffer);

}  // namespace lum
