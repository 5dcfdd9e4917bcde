// The lumbatch run: convert every logo file that a mask names to a 24-bit
// BMP file beside it.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "codec/ByteBuffer.h"
#include "platform/files/FileEnumeration.h"

namespace lum {

/// Whether the walk converts `entry`: never a ".bmp" file, "." or "..";
/// otherwise a file of exactly 3008 bytes, or anything when `ignoreSize`. A
/// folder counts as size 0, so only /i takes one.
bool IsEligibleEntry(const platform::DirectoryEntry& entry, bool ignoreSize);

/// Converts one file and prints its line: "input => output" on success,
/// "message  file: input" on failure. Returns whether it succeeded.
bool ConvertLogoFile(const std::string& inputName, ByteBuffer& inputBuffer, std::ostream& console);

/// The whole run for the arguments after the program's name. Returns the
/// exit status: 1 when a conversion failed, 0 otherwise.
int RunLumBatch(const std::vector<std::string>& arguments, std::ostream& console);

}  // namespace lum
