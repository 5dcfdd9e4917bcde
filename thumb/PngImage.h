// PNG files of a thumbnail, made in memory.
#pragma once

#include <cstdint>
#include <vector>

#include "thumb/Thumbnail.h"

namespace lum {

/// The whole PNG file of the thumbnail, with its alpha. Only Qt's built-in
/// PNG writer is used: the process looks for no image plugins at all (its
/// plugin paths are emptied), which also keeps its start short. Throws
/// LumError when the writer fails.
std::vector<uint8_t> PngBytes(const Thumbnail& thumbnail);

}  // namespace lum
