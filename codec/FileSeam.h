// The codec's way to files: reading a whole file, and writing an output
// through a writer, streamed into place or replacing the old file whole.
// The codec itself stays standard C++; the platform's file services provide
// the host's files (platform/files/HostFiles.h), and a test can give its
// own, one that fails wherever a real disk could.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace lum {

class ByteBuffer;

/// An output being written. Writes may be held back and handed on later;
/// every failure is an EInOutError.
class OutputWriter {
 public:
  virtual ~OutputWriter() = default;

  virtual void Write(const uint8_t* data, size_t count) = 0;
  /// Hands on every byte written so far.
  virtual void Flush() = 0;
  /// Finishes the output; only when this returns is the output complete.
  /// It fails like a write. A writer destroyed without Close() has been
  /// abandoned by a failure, and reports nothing more; what its output then
  /// holds depends on how it was made (see FileSeam).
  virtual void Close() = 0;
};

class FileSeam {
 public:
  virtual ~FileSeam() = default;

  /// Replaces the contents of `into` with the whole file at `path`. Throws
  /// EFOpenError ("Datei %s kann nicht geöffnet werden. %s") when it can't
  /// be opened or is no regular file, EOutOfMemory when the buffer can't
  /// hold it, EInOutError when reading fails; on failure the contents are
  /// unspecified but valid.
  virtual void ReadWholeFile(const std::string& path, ByteBuffer& into) = 0;

  /// Replaces the contents of `into` with what a decoder reads of the logo
  /// file at `path`: its 8-byte header and its last 2 * width * height
  /// bytes, where the rows are found (a file too short for them whole).
  /// Decoding them is decoding the whole file, messages included, while the
  /// bytes between are never read: a sparse giant whose header announces
  /// few pixels is read at once. Returns the file's size, by which the
  /// decoder judges whether the pixels fit: of a file too short for them
  /// `into` may hold the header alone. Throws as ReadWholeFile. By default
  /// the whole file is read.
  virtual int64_t ReadLogoBytes(const std::string& path, ByteBuffer& into);

  /// Creates the output file at `path`, or empties the one there; what is
  /// written reaches it as it goes, and an abandoned output keeps what was
  /// written. Throws EInOutError, whose Reason() is the system's text for
  /// the failure.
  virtual std::unique_ptr<OutputWriter> CreateOutput(const std::string& path) = 0;

  /// An output that takes the place of the file at `path` (or becomes it, if
  /// there is none) only when its writer closes: until then, and for good
  /// when the writer is abandoned or fails, the old file stays as it was.
  /// (The host's files write an old file in place where the user may write
  /// it but not replace it; see platform/files/ReplacementFile.h.) Throws
  /// EInOutError like CreateOutput.
  virtual std::unique_ptr<OutputWriter> CreateReplacement(const std::string& path) = 0;

  /// `path` as failure messages name it: the full path.
  virtual std::string FullPath(const std::string& path) = 0;
};

}  // namespace lum
