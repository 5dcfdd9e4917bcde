// File-name rules shared by both programs.
//
// The extension of a name is the part from its last "." on, provided that no
// separator follows that dot; a name without one has an empty extension.
// Separators are passed as a set so the desktop set ("\\" and ":") stays
// usable; the default is the host's own ("/" here, where "\\" and ":" are
// ordinary file-name characters).
#pragma once

#include <string>
#include <string_view>

namespace lum {

/// Path separators of this host.
constexpr std::string_view kHostSeparators = "/";
/// Path and drive separators of the desktop platform the logo tools came from.
constexpr std::string_view kWindowsSeparators = "\\:";

/// "dir/a.b.kvx" -> ".kvx"; "my.dir/cup" -> "".
std::string ExtractFileExt(std::string_view name, std::string_view separators = kHostSeparators);

/// Cuts the name before its extension's dot (if it has one) and appends
/// `extension`: "a.b.kvx" -> "a.b.bmp", "logo" -> "logo.bmp".
std::string ChangeFileExt(std::string_view name, std::string_view extension,
                          std::string_view separators = kHostSeparators);

/// Everything up to and including the last separator; "" when there is none.
std::string ExtractFilePath(std::string_view name, std::string_view separators = kHostSeparators);

/// Lower-cases the ASCII letters A-Z only; other bytes stay as they are, so
/// names that are not UTF-8 survive unchanged.
std::string LowerCase(std::string_view text);

}  // namespace lum
