#include "platform/files/LogoFileRead.h"

#include <algorithm>

#include "codec/ByteBuffer.h"
#include "codec/LogoFormat.h"
#include "platform/files/InputFile.h"

namespace lum::platform {

int64_t ReadLogoFile(const std::string& path, ByteBuffer& into, int64_t maxPixels) {
  InputFile file(path);
  into.Clear();
  uint8_t header[kLogoHeaderSize];
  const size_t got = file.ReadAt(0, header, sizeof header);
  into.Write(header, static_cast<int64_t>(got));
  const int64_t fileSize = static_cast<int64_t>(file.Size());
  if (got < sizeof header) return fileSize;  // no header: the decoder says so

  const LogoHeader size = ReadLogoHeader(header);
  uint64_t pixelBytes = 0;
  CheckLogoPixelCount(size, maxPixels);
  if (size.width >= 1 && size.height >= 1) pixelBytes = 2 * static_cast<uint64_t>(int64_t{size.width} * size.height);
  // The rows are the last bytes of the file; a file too short for them is
  // read whole, unless only its size can be wanted: a sparse giant whose
  // header asks for even more is refused without reading gigabytes.
  const uint64_t afterHeader = file.Size() - std::min<uint64_t>(file.Size(), sizeof header);
  uint64_t tail = std::min<uint64_t>(pixelBytes, afterHeader);
  if (afterHeader < pixelBytes && file.Size() > static_cast<uint64_t>(kMaxLogoFileSize)) tail = 0;
  into.SetSizeForOverwrite(static_cast<int64_t>(sizeof header + tail));
  const size_t read = file.ReadAt(file.Size() - tail, into.Data() + sizeof header, static_cast<size_t>(tail));
  into.SetSize(static_cast<int64_t>(sizeof header + read));  // a file that shrank gives what it holds
  into.Seek(0, SeekOrigin::Begin);
  return fileSize;
}

}  // namespace lum::platform
