// Enumerating the directory entries that match a wildcard mask.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lum::platform {

struct DirectoryEntry {
  std::string name;   ///< the entry's name, raw bytes
  uint64_t size = 0;  ///< of the file a symlink points to (of the link if dangling)
  bool isDirectory = false;
};

/// Matches `name` against `pattern` with the wildcards "*" (any run of
/// bytes) and "?" (one character: the bytes of one UTF-8 character, or one
/// byte where they form none), ignoring the case of ASCII letters. No other
/// character is special. "*.*" matches every name, also one without a dot,
/// as people used to the desktop platform's masks expect.
bool MatchesWildcard(std::string_view pattern, std::string_view name);

/// The entries of the mask's directory (the mask up to its last "/", or the
/// current directory) whose names match the rest of the mask, "." and ".."
/// and hidden entries included, sorted by name in byte order. All entries are
/// read before the caller acts on any, so files that a run creates are never
/// seen as its input. A directory that cannot be read gives no entries, and
/// then sets `unreadable` (where given) to the system's errno for it; 0
/// otherwise.
std::vector<DirectoryEntry> FindMatchingEntries(const std::string& mask, int* unreadable = nullptr);

}  // namespace lum::platform
