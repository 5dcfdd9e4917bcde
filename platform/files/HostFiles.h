// The codec's file seam over the host's files.
#pragma once

#include "codec/FileSeam.h"

namespace lum::platform {

/// Reads through InputFile, writes through OutputFile (buffered; a file
/// abandoned by a failure keeps what was written) and names files by their
/// AbsolutePath. It holds no state; one serves the whole program.
FileSeam& HostFiles();

}  // namespace lum::platform
