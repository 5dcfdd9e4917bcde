#include "platform/shell/FileUrls.h"

namespace lum::shell {

namespace {

bool IsPlain(unsigned char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '_' ||
         c == '.' || c == '~' || c == '/';
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

std::string PercentEncodePath(std::string_view path) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string encoded;
  encoded.reserve(path.size());
  for (const char c : path) {
    const auto byte = static_cast<unsigned char>(c);
    if (IsPlain(byte)) {
      encoded += c;
    } else {
      encoded += '%';
      encoded += kHex[byte >> 4];
      encoded += kHex[byte & 0xF];
    }
  }
  return encoded;
}

std::string FileUrlFromPath(std::string_view path) { return "file://" + PercentEncodePath(path); }

bool PathFromFileUrl(std::string_view url, std::string& path) {
  constexpr std::string_view kScheme = "file://";
  if (url.substr(0, kScheme.size()) != kScheme) return false;
  url.remove_prefix(kScheme.size());
  if (url.substr(0, 9) == "localhost") url.remove_prefix(9);
  if (url.empty() || url[0] != '/') return false;
  std::string decoded;
  for (size_t i = 0; i < url.size(); ++i) {
    if (url[i] == '\0') return false;  // no NUL in a path, written out or escaped
    if (url[i] != '%') {
      decoded += url[i];
      continue;
    }
    if (i + 2 >= url.size()) return false;
    const int high = HexValue(url[i + 1]), low = HexValue(url[i + 2]);
    if (high < 0 || low < 0 || (high == 0 && low == 0)) return false;
    decoded += static_cast<char>(high * 16 + low);
    i += 2;
  }
  path = std::move(decoded);
  return true;
}

}  // namespace lum::shell
