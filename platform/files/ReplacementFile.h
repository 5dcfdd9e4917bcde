// Saving a file whole: the new contents take the old file's place only once
// they are complete.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "base/Errors.h"
#include "codec/FileSeam.h"
#include "platform/files/OutputTarget.h"

namespace lum::platform {

/// A new file written under a temporary name beside the one it replaces
/// (".name.<pid>-<n>.tmp", or ".lum.<pid>-<n>.tmp" where the name leaves no
/// room for that), renamed over it by Close(). When an old file is replaced,
/// Close() first flushes the new data to the disk, so that a power cut
/// leaves the old file or the new one, never an empty one; the new file gets
/// the old one's permission bits, and its owner and group where the process
/// may set them (not its ACLs or extended attributes). Under a name that has
/// other hard links the old file keeps those names and its contents. A new
/// file needs no flush and gets the usual permissions (0666 less the umask).
/// A writer abandoned or failing on the way removes its temporary file; the
/// old file stays as it was.
///
/// An old file that the user may write but not replace is written in place
/// instead, emptied and then written, as a plain write does: when its folder
/// takes no new file (EACCES, EPERM, EROFS), and when the rename is refused
/// (EPERM, EACCES: a sticky folder such as /tmp lets only the owner replace
/// a file). A failure part way then leaves the old file cut off. Only the
/// very file that was found is written so (OpenFoundTarget): should its
/// name lead elsewhere by then, the save is refused with EACCES.
class ReplacementFile final : public OutputWriter {
 public:
  /// Writes the file that will be `target`, as ResolveOutputTarget found it:
  /// a regular file there is the old file. Throws EInOutError.
  explicit ReplacementFile(OutputTarget target);
  ~ReplacementFile() override;
  ReplacementFile(const ReplacementFile&) = delete;
  ReplacementFile& operator=(const ReplacementFile&) = delete;

  /// Hands the bytes to the system at once.
  void Write(const uint8_t* data, size_t count) override;
  void Flush() override {}
  /// Flushes (when replacing), closes and renames; on failure the old file
  /// stays and the temporary one is gone. After any failure of the writer
  /// this throws that failure again: the save did not happen.
  void Close() override;

 private:
  int CreateTemporary(mode_t mode);
  void WriteInPlaceFromTemporary();
  [[noreturn]] void Fail(const EInOutError& error);
  void Discard() noexcept;

  OutputTarget target_;
  std::string temporary_;  ///< empty when there is none (any more)
  bool inPlace_ = false;  ///< fd_ is the old file itself
  int fd_ = -1;
  std::optional<EInOutError> failure_;
};

/// The writer for a save to `path`: a ReplacementFile. A symlinked name is
/// followed, so the file it points to is replaced and the link stays, under
/// ResolveOutputTarget's rule for links in sticky folders. A
/// character device (such as /dev/null) holds nothing to lose and is written
/// directly (OutputFile); a folder, FIFO, socket or block device is refused,
/// and so is a file that the process may not write, as opening it would be.
/// With CharacterDevices::kRefused a character device is refused too, for
/// outputs that must be files. Throws EInOutError.
enum class CharacterDevices { kWritten, kRefused };
std::unique_ptr<OutputWriter> CreateReplacementFile(const std::string& path,
                                                    CharacterDevices devices = CharacterDevices::kWritten);

}  // namespace lum::platform
