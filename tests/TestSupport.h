// Helpers shared by the test programs: temporary folders, file bytes, logo
// files built from words, and running a built program.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

// Sanitizers that reserve much of the address space when a program starts
// (AddressSanitizer, ThreadSanitizer, MemorySanitizer): a program built with
// one cannot even start under an address-space limit.
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define LUM_SANITIZER_RESERVES_ADDRESS_SPACE 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer) || __has_feature(memory_sanitizer)
#define LUM_SANITIZER_RESERVES_ADDRESS_SPACE 1
#endif
#endif

namespace lum::test {

using Bytes = std::vector<uint8_t>;

/// The overall limit of a wait for what must happen. The wait ends as soon
/// as it has; only a very busy machine comes near the limit.
constexpr int kGenerousMs = 60'000;

/// A file name that is not UTF-8.
inline const std::string kNotUtf8 = "logo\xff\xfe.kvx";

/// A fresh folder under $TMPDIR, removed with everything in it (read-only
/// sub-folders included) when the object goes.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::string& Path() const { return path_; }
  /// Path() + "/" + name.
  std::string operator/(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

/// Makes `path` the working directory for the object's life.
class ScopedWorkingDirectory {
 public:
  explicit ScopedWorkingDirectory(const std::string& path);
  ~ScopedWorkingDirectory();
  ScopedWorkingDirectory(const ScopedWorkingDirectory&) = delete;
  ScopedWorkingDirectory& operator=(const ScopedWorkingDirectory&) = delete;

 private:
  std::string previous_;
};

/// While it lives, files the process writes stop growing at `bytes`, as on
/// a disk that fills up: a write past that fails (EFBIG), and the signal the
/// limit raises is ignored.
class ScopedFileSizeLimit {
 public:
  explicit ScopedFileSizeLimit(uint64_t bytes);
  ~ScopedFileSizeLimit();
  ScopedFileSizeLimit(const ScopedFileSizeLimit&) = delete;
  ScopedFileSizeLimit& operator=(const ScopedFileSizeLimit&) = delete;

 private:
  uint64_t previous_;
  void (*previousHandler_)(int);
};

void WriteFile(const std::string& path, const Bytes& bytes);
Bytes ReadFile(const std::string& path);
bool FileExists(const std::string& path);

/// What a folder holds, by relative path: each entry's type, permissions and
/// contents (regular files), or target (symlinks). Does not follow symlinks
/// and never opens anything but regular files, so FIFOs and devices are safe.
/// A file over 16 MiB is described by its size and modification time.
using FolderSnapshot = std::map<std::string, std::string>;
FolderSnapshot SnapshotFolder(const std::string& path);

/// A logo file: the header for width x height, then the words as given
/// (need not be width * height of them).
Bytes LogoBytes(int32_t width, int32_t height, const std::vector<uint16_t>& words);

/// A well-formed logo whose pixel (x, y) is pixel(x, y).
template <typename PixelFn>
Bytes LogoBytesOf(int32_t width, int32_t height, PixelFn pixel) {
  std::vector<uint16_t> words;
  for (int32_t y = 0; y < height; ++y)
    for (int32_t x = 0; x < width; ++x) words.push_back(pixel(x, y));
  return LogoBytes(width, height, words);
}

struct ProgramResult {
  std::string output;     ///< standard output
  int exitStatus = -1;    ///< -1 when it did not exit normally or timed out
  bool timedOut = false;
};

struct RunOptions {
  /// The program is killed after this: it only tells a hang from a slow
  /// run, also on a busy machine or under a sanitizer, so it is generous.
  int timeoutSeconds = 100;
  /// When the tests run as root (as in CI containers), run the program as
  /// the unprivileged user "nobody", so that permissions apply to it.
  bool unprivileged = false;
  /// When not 0, the program's address space is limited to this many bytes
  /// (not with LUM_SANITIZER_RESERVES_ADDRESS_SPACE).
  size_t addressSpaceLimit = 0;
  /// Collect standard error too, into the same output.
  bool withStandardError = false;
};

/// Runs `program` with `arguments` in `workingDirectory`, collecting its
/// standard output.
ProgramResult RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                         const std::string& workingDirectory, RunOptions options = {});

/// The user id RunOptions::unprivileged runs as (when running as root).
constexpr unsigned kNobody = 65534;

/// Splits program output into lines (without their line ends).
std::vector<std::string> Lines(const std::string& output);

}  // namespace lum::test
