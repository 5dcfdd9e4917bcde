// The codec's file seam over the host's files.
#pragma once

#include <cstdint>
#include <string>

#include "codec/FileSeam.h"

namespace lum::platform {

/// Reads through InputFile (of a logo for a decoder only its header and
/// pixels, as ReadLogoFile does, however many pixels the header announces),
/// streams outputs through OutputFile (buffered; a file abandoned by a
/// failure keeps what was written), replaces files
/// through ReplacementFile, and names files by their AbsolutePath. It holds
/// no state; one serves the whole program.
FileSeam& HostFiles();

/// HostFiles(), except that a save writes regular files only: a name that
/// leads to a character device (/dev/null) is refused, as a FIFO is.
FileSeam& HostRegularFiles();

/// Reads the file at `path` whole into `into` as HostFiles() does, unless
/// it is larger than `limit` bytes when opened: then nothing is read and
/// `into` is left empty. Returns the size the file had when opened. Throws
/// as FileSeam::ReadWholeFile.
uint64_t ReadWholeFile(const std::string& path, ByteBuffer& into, uint64_t limit);

}  // namespace lum::platform
