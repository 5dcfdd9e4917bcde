#include "codec/FileNames.h"

namespace lum {

namespace {

// Index of the extension's dot, or npos when the name has no extension.
size_t ExtensionDot(std::string_view name, std::string_view separators) {
  std::string delimiters(separators);
  delimiters += '.';
  const size_t last = name.find_last_of(delimiters);
  if (last == std::string_view::npos || name[last] != '.') return std::string_view::npos;
  return last;
}

}  // namespace

std::string ExtractFileExt(std::string_view name, std::string_view separators) {
  const size_t dot = ExtensionDot(name, separators);
  return dot == std::string_view::npos ? std::string() : std::string(name.substr(dot));
}

std::string ChangeFileExt(std::string_view name, std::string_view extension, std::string_view separators) {
  const size_t dot = ExtensionDot(name, separators);
  std::string result(name.substr(0, dot == std::string_view::npos ? name.size() : dot));
  result += extension;
  return result;
}

std::string ExtractFilePath(std::string_view name, std::string_view separators) {
  const size_t last = name.find_last_of(separators);
  return last == std::string_view::npos ? std::string() : std::string(name.substr(0, last + 1));
}

std::string LowerCase(std::string_view text) {
  std::string result(text);
  for (char& c : result) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return result;
}

}  // namespace lum
