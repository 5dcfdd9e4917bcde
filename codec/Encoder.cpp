#include "codec/Encoder.h"

namespace lum {

LogoPixel PackLogoPixel(Rgb colour, bool transparent) {
  const unsigned r5 = colour.red >> 3;
  const unsigned g5 = colour.green >> 3;
  const unsigned b5 = colour.blue >> 3;
  if (transparent && r5 == 0 && g5 == 0 && b5 == 0) return kTransparentPixel;
  return static_cast<LogoPixel>(kOpaqueFlag | r5 << 10 | g5 << 5 | b5);
}

void EncodeLogo(const SourceBitmap& bitmap, bool transparent, ByteBuffer& buffer) {
  buffer.Clear();
  WriteLogoFile(
      bitmap.Width(), bitmap.Height(),
      [&](int32_t y) { return [&, y](int32_t x) { return PackLogoPixel(bitmap.PixelColour(x, y), transparent); }; },
      buffer);
}

bool TransparencyFlag(int setTransIndex, int32_t width, int32_t height) {
  switch (setTransIndex) {
    case kSetTransOn: return true;
    case kSetTransOff: return false;
    default: return ClassifySize(width, height) == SizeClass::Kvx;
  }
}

std::string LogoNameFor(std::string_view inputPath, int32_t width, int32_t height, std::string_view separators) {
  return ChangeFileExt(inputPath, SizeClassExtension(ClassifySize(width, height)), separators);
}

}  // namespace lum
