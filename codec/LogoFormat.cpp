#include "codec/LogoFormat.h"

#include "base/Errors.h"
#include "base/Messages.h"

namespace lum {

LogoHeader ReadLogoHeader(const uint8_t* bytes) {
  LogoHeader header;
  header.width = static_cast<int32_t>(ReadBigEndian32(bytes));
  header.height = static_cast<int32_t>(ReadBigEndian32(bytes + 4));
  return header;
}

LogoHeader LogoHeaderOf(const uint8_t* data, size_t size) {
  if (size < static_cast<size_t>(kLogoHeaderSize)) {
    throw EInvalidLogo(msg::Format(msg::kLogoTooShortForHeader, {std::to_string(size)}));
  }
  return ReadLogoHeader(data);
}

void CheckLogoPixelsFit(LogoHeader header, size_t size) {
  if (header.width < 1 || header.height < 1) return;
  if (static_cast<int64_t>(size) < LogoFileSize(header.width, header.height)) {
    throw EInvalidLogo(msg::Format(msg::kLogoTooShortForPixels,
                                   {std::to_string(header.width), std::to_string(header.height),
                                    std::to_string(size)}));
  }
}

void CheckLogoPixelCount(LogoHeader header, int64_t maxPixels) {
  if (header.width < 1 || header.height < 1) return;
  if (int64_t{header.width} * header.height > maxPixels) {
    throw EInvalidLogo(msg::Format(msg::kLogoTooLarge, {std::to_string(header.width), std::to_string(header.height),
                                                        std::to_string(maxPixels)}));
  }
}

// The pixels are the last bytes of the file, whatever lies between them and
// the header: the readers do not trust the header to locate them.
int64_t LogoRowOffset(LogoHeader header, size_t size, int32_t y) {
  return static_cast<int64_t>(size) - 2 * int64_t{header.width} * (int64_t{header.height} - y);
}

void WriteLogoHeader(uint8_t* bytes, LogoHeader header) {
  WriteBigEndian32(bytes, static_cast<uint32_t>(header.width));
  WriteBigEndian32(bytes + 4, static_cast<uint32_t>(header.height));
}

int64_t LogoFileSize(int32_t width, int32_t height) {
  if (width <= 0 || height <= 0) return kLogoHeaderSize;
  return kLogoHeaderSize + 2 * int64_t{width} * int64_t{height};  // below 2^63
}

SizeClass ClassifySize(int32_t width, int32_t height) {
  if (width == 50 && height == 30) return SizeClass::Kvx;
  if (width == 54 && height == 34) return SizeClass::Hzn;
  if (width == 0 && height == 0) return SizeClass::None;
  return SizeClass::Other;
}

const char* SizeClassExtension(SizeClass sizeClass) {
  return sizeClass == SizeClass::Hzn ? ".hzn" : ".kvx";
}

std::string SizeLabelText(int32_t width, int32_t height) {
  const SizeClass sizeClass = ClassifySize(width, height);
  if (sizeClass == SizeClass::None) return "(no logo recognized)";
  std::string text = std::to_string(width) + " x " + std::to_string(height);
  switch (sizeClass) {
    case SizeClass::Kvx: return text + "  (KVX compatible)";
    case SizeClass::Hzn: return text + "  (HZN compatible)";
    default: return text + "  (no logo recognized)";
  }
}

}  // namespace lum
