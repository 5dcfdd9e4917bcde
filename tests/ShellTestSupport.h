// Helpers for the tests of the shell layer and the shell item model: a
// sandboxed user (HOME, desktop, data and config folders in a temporary
// folder), a launcher that records instead of starting programs, and the
// offscreen Qt application these tests share.
#pragma once

#include <string>
#include <vector>

#include "platform/shell/ItemIdList.h"
#include "platform/shell/Launcher.h"
#include "tests/TestSupport.h"

namespace lum::test {

/// A user whose home, desktop, data and config folders are in a fresh
/// temporary folder; the environment is put back when it goes. The shell
/// layer reads the user's folders anew at both ends; a test that changes
/// the environment meanwhile calls shell::RefreshUserFolders itself.
class ShellSandbox {
 public:
  /// With `withDesktop` false there is no desktop directory.
  explicit ShellSandbox(bool withDesktop = true);
  ~ShellSandbox();
  ShellSandbox(const ShellSandbox&) = delete;
  ShellSandbox& operator=(const ShellSandbox&) = delete;

  const std::string& Root() const { return temp_.Path(); }
  std::string Home() const { return temp_ / "home"; }
  std::string Desktop() const { return temp_ / "home/Desktop"; }
  std::string DataHome() const { return temp_ / "home/.local/share"; }
  std::string ConfigHome() const { return temp_ / "home/.config"; }
  /// A folder for the test's files: <root>/work.
  std::string Work() const { return temp_ / "work"; }

 private:
  TempDir temp_;
  std::vector<std::pair<std::string, std::string>> saved_;  ///< variable, old value ("\x01" = unset)
};

/// Makes a folder (and its parents).
void MakeFolder(const std::string& path);
/// Makes a file with `size` bytes.
void MakeFile(const std::string& path, size_t size = 0);

/// The desktop's ID list for an absolute path; fails the test if none.
shell::IdList ParsePath(const std::string& path);

/// Records what would have been launched; starts nothing.
class RecordingLauncher {
 public:
  explicit RecordingLauncher(bool succeed = true);
  ~RecordingLauncher();
  const std::vector<shell::LaunchRequest>& Requests() const { return requests_; }

 private:
  std::vector<shell::LaunchRequest> requests_;
  shell::Launcher previous_;
};

/// Lets pending events run (deferred deletes, dialogs opening).
void ProcessEvents();

}  // namespace lum::test
