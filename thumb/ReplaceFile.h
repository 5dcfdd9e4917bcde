// Writing a file whole or not at all.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace lum {

/// Writes `bytes` to a new file in the folder of `path` and renames it to
/// `path`, replacing any file there. A reader of `path` sees the old file
/// or the whole new one, never a part; on failure nothing is left behind.
/// The file gets the permissions a newly created file would. Throws
/// EFCreateError ("Datei "%s" kann nicht erstellt werden. %s") with the
/// full path and the system's reason.
void ReplaceFile(const std::string& path, const std::vector<uint8_t>& bytes);

}  // namespace lum
