#include "codec/LogoArgb.h"

#include <string>

#include "base/Errors.h"
#include "base/Messages.h"
#include "codec/Decoder.h"
#include "codec/Encoder.h"

namespace lum {

namespace {

constexpr uint32_t kOpaqueAlpha = 0xFF000000u;
constexpr uint32_t kHalfAlpha = 128;

// CheckLogoPictureSize's rule without the reason, for sniffing.
bool IsLogoPictureSize(LogoHeader header) {
  return header.width >= 1 && header.height >= 1 && int64_t{header.width} * header.height <= kMaxLogoPixels;
}

}  // namespace

uint32_t LogoPixelToArgb(LogoPixel word) {
  if (word == kTransparentPixel) return 0;
  const Rgb colour = ExpandLogoPixel(word);
  return kOpaqueAlpha | uint32_t{colour.red} << 16 | uint32_t{colour.green} << 8 | colour.blue;
}

LogoPixel ArgbToLogoPixel(uint32_t argb) {
  if ((argb >> 24) < kHalfAlpha) return kTransparentPixel;
  Rgb colour;
  colour.red = static_cast<uint8_t>(argb >> 16);
  colour.green = static_cast<uint8_t>(argb >> 8);
  colour.blue = static_cast<uint8_t>(argb);
  return PackLogoPixel(colour, false);
}

void CheckLogoPictureSize(LogoHeader header) {
  if (header.width < 1 || header.height < 1) {
    throw EInvalidLogo(
        msg::Format(msg::kLogoHasNoPixels, {std::to_string(header.width), std::to_string(header.height)}));
  }
  CheckLogoPixelCount(header, kMaxLogoPixels);
}

bool CouldBeLogoPicture(const uint8_t* header, int64_t fileSize) {
  const LogoHeader logo = ReadLogoHeader(header);
  if (!IsLogoPictureSize(logo)) return false;
  return fileSize < 0 || (fileSize >= LogoFileSize(logo.width, logo.height) && fileSize <= kMaxLogoFileSize);
}

LogoHeader CheckLogoPicture(const uint8_t* data, size_t size) {
  // The decoders' refusals, in their order, with the picture's size limits
  // between.
  const LogoHeader header = LogoHeaderOf(data, size);
  CheckLogoPictureSize(header);
  CheckLogoPixelsFit(header, size);
  return header;
}

void DecodeLogoRowArgb(const uint8_t* data, size_t size, LogoHeader header, int32_t y, uint32_t* out) {
  const uint8_t* words = data + LogoRowOffset(header, size, y);
  for (int32_t x = 0; x < header.width; ++x, words += 2) *out++ = LogoPixelToArgb(ReadBigEndian16(words));
}

void ArgbToRgba(const uint32_t* argb, size_t count, uint8_t* rgba) {
  for (size_t i = 0; i < count; ++i) {
    const uint32_t pixel = argb[i];
    *rgba++ = static_cast<uint8_t>(pixel >> 16);
    *rgba++ = static_cast<uint8_t>(pixel >> 8);
    *rgba++ = static_cast<uint8_t>(pixel);
    *rgba++ = static_cast<uint8_t>(pixel >> 24);
  }
}

void EncodeLogoArgb(int32_t width, int32_t height, const std::function<const uint32_t*(int32_t y)>& row,
                    ByteBuffer& buffer) {
  CheckLogoPictureSize({width, height});
  ByteBuffer built;  // takes the buffer's place only when whole
  WriteLogoFile(
      width, height,
      [&row](int32_t y) { return [pixels = row(y)](int32_t x) { return ArgbToLogoPixel(pixels[x]); }; }, built);
  buffer = std::move(built);  // positioned at its end
}

}  // namespace lum
