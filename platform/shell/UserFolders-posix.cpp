#include "platform/shell/UserFolders.h"

#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <mutex>
#include <string_view>
#include <vector>

namespace lum::shell {

namespace {

std::string Variable(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

// An absolute path spelled one way: no empty or "." parts, no trailing "/",
// so that the same folder compares equal however the environment wrote
// it. ".." stays: only the file system can resolve that.
std::string Normalized(const std::string& path) {
  if (path.empty() || path[0] != '/') return path;
  std::string normal;
  for (size_t at = 0; at < path.size();) {
    const size_t slash = std::min(path.find('/', at), path.size());
    const std::string_view part(path.data() + at, slash - at);
    at = slash + 1;
    if (part.empty() || part == ".") continue;
    normal += '/';
    normal.append(part);
  }
  return normal.empty() ? "/" : normal;
}

std::string HomeFolder() {
  std::string home = Variable("HOME");
  if (!home.empty()) return home;
  std::vector<char> buffer(16384);
  passwd entry{};
  passwd* found = nullptr;
  if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found && found->pw_dir)
    return found->pw_dir;
  return "/";
}

// An absolute path from the environment, else `fallback`.
std::string AbsoluteOr(const char* name, const std::string& fallback) {
  std::string value = Variable(name);
  return !value.empty() && value[0] == '/' ? value : fallback;
}

// The value of `key` in the user-dirs file: XDG_DESKTOP_DIR="$HOME/Desktop".
// Only "$HOME/..." and absolute paths are allowed there.
std::string UserDirsEntry(const std::string& file, std::string_view key, const std::string& home) {
  std::ifstream in(file);
  std::string line;
  while (std::getline(in, line)) {
    if (line.compare(0, key.size(), key) != 0 || line.size() < key.size() + 3) continue;
    std::string_view rest(line);
    rest.remove_prefix(key.size());
    if (rest[0] != '=' || rest[1] != '"') continue;
    rest.remove_prefix(2);
    const size_t close = rest.rfind('"');
    if (close == std::string_view::npos) continue;
    std::string value(rest.substr(0, close));
    if (value.compare(0, 5, "$HOME") == 0) value = home + value.substr(5);
    if (!value.empty() && value[0] == '/') return value;
  }
  return {};
}

std::string UserDir(const char* variable, const std::string& userDirsFile, const std::string& home,
                    const char* defaultName) {
  std::string value = AbsoluteOr(variable, "");
  if (value.empty()) value = UserDirsEntry(userDirsFile, variable, home);
  if (value.empty()) value = home + "/" + defaultName;
  return value;
}

std::shared_ptr<const UserFolders> ReadUserFolders() {
  auto folders = std::make_shared<UserFolders>();
  folders->home = HomeFolder();
  const std::string& home = folders->home;
  folders->config = AbsoluteOr("XDG_CONFIG_HOME", home + "/.config");
  folders->data = AbsoluteOr("XDG_DATA_HOME", home + "/.local/share");
  const std::string userDirs = folders->config + "/user-dirs.dirs";
  folders->desktop = UserDir("XDG_DESKTOP_DIR", userDirs, home, "Desktop");
  folders->documents = UserDir("XDG_DOCUMENTS_DIR", userDirs, home, "Documents");
  folders->templates = UserDir("XDG_TEMPLATES_DIR", userDirs, home, "Templates");
  for (std::string* folder : {&folders->home, &folders->config, &folders->data, &folders->desktop,
                              &folders->documents, &folders->templates})
    *folder = Normalized(*folder);
  return folders;
}

// The folders last read; the lock guards the pointer, not the folders
// (which never change once read).
std::mutex lock;
std::shared_ptr<const UserFolders> current;

}  // namespace

std::shared_ptr<const UserFolders> CurrentUserFolders() {
  std::lock_guard<std::mutex> guard(lock);
  if (!current) current = ReadUserFolders();
  return current;
}

void RefreshUserFolders() {
  std::shared_ptr<const UserFolders> fresh = ReadUserFolders();
  std::lock_guard<std::mutex> guard(lock);
  current = std::move(fresh);
}

}  // namespace lum::shell
