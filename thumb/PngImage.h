// PNG files of a thumbnail, made in memory.
#pragma once

#include <cstdint>
#include <vector>

#include "thumb/Thumbnail.h"

namespace lum {

/// The whole PNG file of the thumbnail: 8-bit RGBA, written by libpng
/// straight from the pixels, so that lumthumb loads no GUI library. Prints
/// nothing. Throws LumError with libpng's reason when the writer fails,
/// EOutOfMemory.
std::vector<uint8_t> PngBytes(const Thumbnail& thumbnail);

}  // namespace lum
