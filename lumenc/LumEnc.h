// The lumenc run: encode every BMP file that a mask names into a logo file
// beside it, the mirror image of lumbatch.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "codec/ByteBuffer.h"

namespace lum {

/// Loads one BMP file, encodes it with the transparency flag that
/// `setTransIndex` gives for its size, writes the logo file beside it and
/// prints its line: "input => output" on success, "message  file: input" on
/// failure. Returns whether it succeeded.
bool ConvertBmpFile(const std::string& inputName, int setTransIndex, ByteBuffer& logoBuffer,
                    std::ostream& console);

/// The whole run for the arguments after the program's name. Returns the
/// exit status: 1 when a conversion failed, 0 otherwise.
int RunLumEnc(const std::vector<std::string>& arguments, std::ostream& console);

}  // namespace lum
