// Path and error-text services of the host.
#pragma once

#include <string>

namespace lum::platform {

/// The path made absolute against the current directory and normalised
/// lexically ("." and ".." segments removed); symlinks are not resolved.
/// This is the "full path" that open failures report.
std::string AbsolutePath(const std::string& path);

/// Whether both names lead to one existing file, symlinks followed: the
/// same name, a symlink to the other, or another hard link of it.
bool IsSameFile(const std::string& a, const std::string& b);

/// Refuses a conversion of `source` whose output name `output` leads to
/// `source` itself (the same name, a symlink to it or another hard link of
/// it), so that no output ever replaces the file it is made from: throws
/// EFCreateError ("Datei "%s" kann nicht erstellt werden. it is the file
/// being converted") naming `output`.
void RefuseOutputOverSource(const std::string& source, const std::string& output);

/// The operating system's text for an errno value.
std::string SystemErrorText(int systemError);

}  // namespace lum::platform
