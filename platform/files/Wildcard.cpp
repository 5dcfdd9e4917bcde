#include "platform/files/FileEnumeration.h"

namespace lum::platform {

namespace {

char FoldCase(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool IsContinuation(unsigned char c) { return (c & 0xC0) == 0x80; }

// The length of the UTF-8 character at name[n], or 1 where the bytes there
// form none (a stray byte, a cut or overlong sequence, a surrogate).
size_t CharacterLength(std::string_view name, size_t n) {
  const auto lead = static_cast<unsigned char>(name[n]);
  size_t length = 1;
  unsigned char low = 0x80, high = 0xBF;  // the range of the second byte
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return 1;
  }
  if (name.size() - n < length) return 1;
  const auto second = static_cast<unsigned char>(name[n + 1]);
  if (second < low || second > high) return 1;
  for (size_t i = 2; i < length; ++i) {
    if (!IsContinuation(static_cast<unsigned char>(name[n + i]))) return 1;
  }
  return length;
}

}  // namespace

bool MatchesWildcard(std::string_view pattern, std::string_view name) {
  if (pattern == "*.*") return true;
  // Iterative matcher with one backtrack point: the most recent "*" and the
  // name position it is currently standing in for. Linear in practice, and
  // never recursive, so a long hostile mask cannot blow the stack.
  size_t p = 0, n = 0;
  size_t starP = std::string_view::npos, starN = 0;
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == '*') {
      starP = p++;
      starN = n;
    } else if (p < pattern.size() && pattern[p] == '?') {
      ++p;
      n += CharacterLength(name, n);
    } else if (p < pattern.size() && FoldCase(pattern[p]) == FoldCase(name[n])) {
      ++p;
      ++n;
    } else if (starP != std::string_view::npos) {
      p = starP + 1;
      n = ++starN;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

}  // namespace lum::platform
