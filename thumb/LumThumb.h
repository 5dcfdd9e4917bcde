// The lumthumb run: one logo file to one PNG thumbnail, for the thumbnailers
// of file managers ("lumthumb %i %o %s").
#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

namespace lum {

/// The largest size lumthumb accepts; file managers ask for 128 to 1024.
constexpr int32_t kMaxThumbnailSize = 4096;

/// Logo files larger than this are refused before they are read: a file
/// manager runs the thumbnailer on whatever carries a logo's extension.
constexpr uint64_t kMaxThumbnailInput = 4 * 1024 * 1024;

/// The whole run for the arguments after the program's name: input, output,
/// size. Writes the PNG file whole or not at all. On failure prints one line
/// to `errors` and returns 1; wrong arguments print the usage line and
/// return 2.
int RunLumThumb(const std::vector<std::string>& arguments, std::ostream& errors);

}  // namespace lum
