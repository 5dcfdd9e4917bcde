// Handing bytes to an open file descriptor, each write checked.
#pragma once

#include <cstddef>
#include <cstdint>

namespace lum::platform {

/// Writes all `count` bytes, again after a signal and after a partial write.
/// Throws EInOutError with the system's error, or "Zu wenig Speicherplatz"
/// when the system takes no byte at all.
void WriteAll(int fd, const uint8_t* data, size_t count);

}  // namespace lum::platform
