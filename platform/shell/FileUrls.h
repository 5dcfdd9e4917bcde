// file: URLs of local paths, byte for byte: every byte that is not a plain
// URL character is percent-encoded, so names that are not UTF-8 survive.
#pragma once

#include <string>
#include <string_view>

namespace lum::shell {

/// "/a b/c" -> "/a%20b/c" ("/" stays).
std::string PercentEncodePath(std::string_view path);
/// "file:///a%20b" for the absolute path "/a b".
std::string FileUrlFromPath(std::string_view path);
/// The path of a file: URL with no host or "localhost"; false for any
/// other URL, a malformed escape or a NUL (written out or escaped).
bool PathFromFileUrl(std::string_view url, std::string& path);

}  // namespace lum::shell
