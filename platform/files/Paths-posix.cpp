#include "platform/files/Paths.h"

#include <cstring>
#include <filesystem>
#include <system_error>

namespace lum::platform {

std::string AbsolutePath(const std::string& path) {
  namespace fs = std::filesystem;
  std::error_code error;
  fs::path absolute = fs::absolute(fs::path(path), error);
  if (error) return path;
  return absolute.lexically_normal().native();
}

std::string SystemErrorText(int systemError) {
  return std::strerror(systemError);
}

}  // namespace lum::platform
