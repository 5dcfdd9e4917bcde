// Wide text that carries file names losslessly.
//
// File names on this host are bytes, usually but not always UTF-8. Where the
// shell passes text as wide strings (STRRET_WSTR, ParseDisplayName,
// SetNameOf), valid UTF-8 becomes its code points and every byte that is not
// part of valid UTF-8 becomes the lone surrogate U+DC00 + byte, so that the
// way back gives the very same bytes.
#pragma once

#include <string>
#include <string_view>

namespace lum::shell {

std::wstring WideFromBytes(std::string_view bytes);
std::string BytesFromWide(std::wstring_view wide);

/// Decodes one character of UTF-8 at `bytes[at]` and advances `at`; a byte
/// that does not start valid UTF-8 gives U+DC00 + byte and advances by one.
char32_t DecodeUtf8(std::string_view bytes, size_t& at);

}  // namespace lum::shell
