#include "platform/shell/Launcher.h"

#include <errno.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>

#include "platform/shell/DesktopFolder.h"
#include "platform/shell/StrRet.h"

extern char** environ;

namespace lum::shell {

namespace {

constexpr intptr_t kSuccess = 42;

bool OnPath(const char* program) {
  const char* path = std::getenv("PATH");
  std::string folders = path ? path : "/usr/bin:/bin";
  size_t at = 0;
  while (at <= folders.size()) {
    size_t colon = folders.find(':', at);
    if (colon == std::string::npos) colon = folders.size();
    const std::string candidate = folders.substr(at, colon - at) + "/" + program;
    if (::access(candidate.c_str(), X_OK) == 0) return true;
    at = colon + 1;
  }
  return false;
}

// xdg-open, started by a shell that puts it in the background and returns,
// so no child is left for this process to reap. The path travels as an
// argument, byte for byte, never through the shell's parsing.
bool DesktopDefault(const LaunchRequest& request) {
  if (!OnPath("xdg-open")) return false;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  if (!request.directory.empty()) posix_spawn_file_actions_addchdir_np(&actions, request.directory.c_str());
  const char* script = "xdg-open \"$1\" </dev/null >/dev/null 2>&1 &";
  char* argv[] = {const_cast<char*>("sh"), const_cast<char*>("-c"), const_cast<char*>(script),
                  const_cast<char*>("sh"), const_cast<char*>(request.path.c_str()), nullptr};
  pid_t child = 0;
  const int spawned = ::posix_spawn(&child, "/bin/sh", &actions, nullptr, argv, environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) return false;
  int status = 0;
  while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

Launcher& Current() {
  static Launcher launcher = DesktopDefault;
  return launcher;
}

intptr_t Launch(HWND window, const std::string& verb, const std::string& path, const std::string& directory,
                int show) {
  if (!verb.empty() && verb != "open") return SE_ERR_NOASSOC;
  struct stat status {};
  if (path.empty() || ::stat(path.c_str(), &status) != 0) return SE_ERR_FNF;
  const LaunchRequest request{path, directory, window, show};
  return Current()(request) ? kSuccess : SE_ERR_NOASSOC;
}

}  // namespace

Launcher SetLauncher(Launcher launcher) {
  Launcher previous = std::move(Current());
  Current() = launcher ? std::move(launcher) : Launcher(DesktopDefault);
  return previous;
}

bool ShellExecuteEx(SHELLEXECUTEINFO* info) {
  if (!info) return false;
  std::string path = info->lpFile;
  if ((info->fMask & SEE_MASK_IDLIST) && info->lpIDList) {
    ComPtr<IShellFolder> desktop;
    STRRET name;
    if (SHGetDesktopFolder(desktop) != S_OK ||
        Failed(desktop->GetDisplayNameOf(info->lpIDList, SHGDN_FORPARSING, &name))) {
      info->hInstApp = SE_ERR_FNF;
      return false;
    }
    path = StrRetToStr(name, info->lpIDList);
  }
  info->hInstApp = Launch(info->hwnd, info->lpVerb, path, info->lpDirectory, info->nShow);
  return info->hInstApp > 32;
}

intptr_t ShellExecute(HWND window, const char* operation, const std::string& file, const std::string&,
                      const std::string& directory, int show) {
  return Launch(window, operation ? operation : "", file, directory, show);
}

}  // namespace lum::shell
