#include "platform/files/Paths.h"

#include <sys/stat.h>

#include <cstring>
#include <filesystem>
#include <system_error>

#include "base/Errors.h"
#include "base/Messages.h"

namespace lum::platform {

std::string AbsolutePath(const std::string& path) {
  namespace fs = std::filesystem;
  std::error_code error;
  fs::path absolute = fs::absolute(fs::path(path), error);
  if (error) return path;
  return absolute.lexically_normal().native();
}

bool IsSameFile(const std::string& a, const std::string& b) {
  struct stat first {}, second {};
  if (::stat(a.c_str(), &first) != 0 || ::stat(b.c_str(), &second) != 0) return false;
  return first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

void RefuseOutputOverSource(const std::string& source, const std::string& output) {
  if (output == source || IsSameFile(output, source)) {
    throw EFCreateError(msg::Format(msg::kFileCreate, {AbsolutePath(output), msg::kOutputIsInput}));
  }
}

std::string SystemErrorText(int systemError) {
  return std::strerror(systemError);
}

}  // namespace lum::platform
