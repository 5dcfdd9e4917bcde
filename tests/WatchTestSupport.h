// Helpers of the folder watcher tests: making changes, and seeing the
// process's inotify instances and watches through /proc.
#pragma once

#include <string>

namespace lum::test {

/// Creates an empty file (or updates nothing if it exists).
void Touch(const std::string& path);
void CreateFolder(const std::string& path);
void Rename(const std::string& from, const std::string& to);
void Remove(const std::string& path);

/// inotify instances open in this process.
int InotifyInstanceCount();
/// Watches of the inotify instance open as `descriptor`.
int InotifyWatchCount(int descriptor);
/// Bytes of change events that the kernel holds for this process's inotify
/// instances and that no watcher has read yet.
int InotifyBytesPending();

}  // namespace lum::test
