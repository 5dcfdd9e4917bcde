// The codec's file seam over the host's files.
#pragma once

#include "codec/FileSeam.h"

namespace lum::platform {

/// Reads through InputFile, streams outputs through OutputFile (buffered; a
/// file abandoned by a failure keeps what was written), replaces files
/// through ReplacementFile, and names files by their AbsolutePath. It holds
/// no state; one serves the whole program.
FileSeam& HostFiles();

}  // namespace lum::platform
