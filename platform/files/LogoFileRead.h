// Reading a logo file: only the bytes that its decoder reads, and for
// showing it no more than a logo of the largest size shown can hold.
#pragma once

#include <cstdint>
#include <string>

#include "codec/LogoFormat.h"

namespace lum {
class ByteBuffer;
}

namespace lum::platform {

/// Replaces the contents of `into` with what the decoder reads of the logo
/// file at `path`: its 8-byte header and its last 2 * width * height bytes,
/// where the rows are found. A well-formed file is read whole. Bytes
/// between the header and the pixels are never read, so any file is read
/// as quickly as its header's pixels allow (a sparse giant whose header
/// says 0 x 0 gives eight bytes), and decodes as it would whole. A file too
/// short for its header or its pixels is read whole, for the decoder to
/// refuse, up to kMaxLogoFileSize; of a larger one only the header is read,
/// and the decoder judges it by the size returned. Returns the file's size.
/// Throws EFOpenError as ReadWholeFile does, EInvalidLogo ("Logo too large:
/// ...") before reading the pixels of a header that announces more than
/// `maxPixels`, EOutOfMemory and EInOutError.
int64_t ReadLogoFile(const std::string& path, ByteBuffer& into, int64_t maxPixels = kMaxLogoPixels);

}  // namespace lum::platform
