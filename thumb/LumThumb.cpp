#include "thumb/LumThumb.h"

#include <new>

#include "base/Errors.h"
#include "base/Messages.h"
#include "codec/ByteBuffer.h"
#include "platform/files/HostFiles.h"
#include "platform/files/Paths.h"
#include "thumb/PngImage.h"
#include "thumb/Thumbnail.h"

namespace lum {

namespace {

constexpr const char* kUsage = "usage: lumthumb input output size  (a logo file, the PNG file to write, 1 to 4096)";

// A size is decimal digits only, from 1 to kMaxThumbnailSize.
bool ParseSize(const std::string& text, int32_t& size) {
  if (text.empty() || text.size() > 9) return false;
  int32_t value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + (c - '0');
  }
  if (value < 1 || value > kMaxThumbnailSize) return false;
  size = value;
  return true;
}

void ReadLogo(const std::string& path, ByteBuffer& logo) {
  const uint64_t size = platform::ReadWholeFile(path, logo, kMaxThumbnailInput);
  if (size > kMaxThumbnailInput) throw EInvalidLogo(msg::Format(msg::kThumbnailInputTooLarge, {std::to_string(size)}));
}

}  // namespace

int RunLumThumb(const std::vector<std::string>& arguments, std::ostream& errors) {
  int32_t size = 0;
  if (arguments.size() != 3 || !ParseSize(arguments[2], size)) {
    errors << kUsage << "\n";
    return 2;
  }
  try {
    platform::RefuseOutputOverSource(arguments[0], arguments[1]);  // a slip of the hand loses the logo
    ByteBuffer logo;
    ReadLogo(arguments[0], logo);
    const Thumbnail thumbnail = MakeThumbnail(logo.Data(), static_cast<size_t>(logo.Size()), size);
    const std::vector<uint8_t> png = PngBytes(thumbnail);
    ByteBuffer file;
    file.Write(png.data(), static_cast<int64_t>(png.size()));
    // Written whole or not at all: a file manager never sees half a PNG.
    // A thumbnail is a file: a name that leads to a device is refused.
    file.SaveToFile(arguments[1], platform::HostRegularFiles());
  } catch (const LumError& failure) {
    errors << "lumthumb: " << failure.what() << "\n";
    return 1;
  } catch (const std::bad_alloc&) {
    errors << "lumthumb: " << msg::kOutOfMemory << "\n";
    return 1;
  }
  return 0;
}

}  // namespace lum
