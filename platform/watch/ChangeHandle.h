// Directory change notification: a handle on a folder (and, if asked, every
// folder below it) that is signalled when a change of a chosen kind happens
// there, re-armed by FindNext and closed by destroying it. Built on inotify.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace lum::platform {

/// The change kinds a handle reacts to; they combine as bits.
enum ChangeFilterBits : uint32_t {
  kChangeFileName = 0x1,    ///< a file created, deleted or given a new name
  kChangeDirName = 0x2,     ///< a folder created, deleted or given a new name
  kChangeAttributes = 0x4,  ///< attributes (mode, times set explicitly, owner)
  kChangeSize = 0x8,        ///< a file written to
  kChangeLastWrite = 0x10,  ///< a file written to, or closed after writing
  kChangeSecurity = 0x100,  ///< owner and permissions
};

class ChangeHandle {
  struct Key {};

 public:
  /// Watches per handle, the top folder included. A tree that needs more is
  /// watched at its top folder alone, so that one huge tree can neither use
  /// up the user's inotify watches nor keep the worker scanning for long.
  static constexpr size_t kDefaultMaxWatches = 4096;

  /// Opens a handle on `directory`, signalled by the changes that `filter`
  /// names; with `watchSubTree` the folders below it count too, including
  /// those made later. Null when `directory` is no absolute path of a folder,
  /// `filter` names no change kind, or the system refuses (inotify limits
  /// reached).
  static std::unique_ptr<ChangeHandle> Open(const std::string& directory, bool watchSubTree, uint32_t filter,
                                            size_t maxWatches = kDefaultMaxWatches);

  ChangeHandle(Key, int descriptor, bool watchSubTree, uint32_t filter, size_t maxWatches);
  ~ChangeHandle();
  ChangeHandle(const ChangeHandle&) = delete;
  ChangeHandle& operator=(const ChangeHandle&) = delete;

  /// Readable (for poll) when events wait to be read.
  int Descriptor() const { return fd_; }

  /// Reads the waiting events without blocking and keeps the watches of the
  /// sub-tree in step with new, moved and removed folders. False when the
  /// descriptor can no longer be read.
  bool ReadEvents();

  /// Whether a change of a chosen kind has been read since the handle was
  /// opened or last re-armed. Also set when the folder itself is deleted or
  /// moved, and when the system's event queue overflowed (changes were lost).
  bool Signalled() const { return signalled_; }

  /// Re-arms the handle. Changes that happen from now on signal it again;
  /// those not read yet count as such.
  void FindNext();

  /// Changes taken from the kernel that their handle's owner has not done
  /// with, over all handles: a ReadEvents call under way counts, and so does
  /// a signalled handle until FindNext or its end. Read after the kernel's
  /// queues are seen empty, it tells a test that every change made before
  /// has been handled (events leave the kernel only inside ReadEvents).
  /// For the tests' waits: the program itself never needs it.
  static int NoticesInFlight();

 private:
  enum class AddResult { kAdded, kKnown, kSkipped, kFull };

  bool WatchTop(const std::string& directory);
  AddResult AddSubWatch(const std::string& path, int* wd);
  void WatchBelow(const std::string& start, int startWd, bool entriesAreNew);
  void WatchNewFolder(const std::string& path, bool entriesAreNew);
  void ForgetTree(const std::string& path);
  void FallBackToTop();
  void Handle(uint32_t mask, int wd, const char* name, size_t nameLength);
  void Signal();

  int fd_;
  bool watchSubTree_;
  uint32_t filter_;
  uint32_t mask_;
  size_t maxWatches_;
  bool topOnly_ = false;  ///< the sub-tree outgrew maxWatches_
  bool signalled_ = false;
  int topWd_ = -1;
  std::unordered_map<int, std::string> paths_;  ///< watch descriptor -> folder
  std::vector<char> buffer_;
};

}  // namespace lum::platform
