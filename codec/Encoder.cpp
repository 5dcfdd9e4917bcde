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
  const int32_t width = bitmap.Width();
  const int32_t height = bitmap.Height();
  const bool hasPixels = width >= 1 && height >= 1;
  buffer.Clear();
  // The whole file is sized at once (this is where a buffer that can't grow
  // fails), then filled in place and left positioned at its end, as if each
  // word had been appended.
  buffer.SetSize(LogoFileSize(width, height));
  uint8_t* out = buffer.Data();
  WriteLogoHeader(out, {width, height});
  out += kLogoHeaderSize;
  if (hasPixels) {
    for (int32_t y = 0; y < height; ++y) {
      for (int32_t x = 0; x < width; ++x, out += 2) {
        WriteBigEndian16(out, PackLogoPixel(bitmap.PixelColour(x, y), transparent));
      }
    }
  }
  buffer.Seek(0, SeekOrigin::End);
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
