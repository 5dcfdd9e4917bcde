#include "tests/ShellTestSupport.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QApplication>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include "platform/shell/DesktopFolder.h"
#include "platform/shell/UserFolders.h"
#include "platform/shell/WideText.h"

namespace lum::test {

namespace {

const char* const kUnset = "\x01";

// One offscreen application for the whole test program (unless its main
// made one), and a launcher that refuses everything, so that no test can
// start a real program.
class ShellTestEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    if (!QCoreApplication::instance()) {
      ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
      static int argc = 1;
      static char name[] = "shell_tests";
      static char* argv[] = {name, nullptr};
      app_ = std::make_unique<QApplication>(argc, argv);
    }
    shell::SetLauncher([](const shell::LaunchRequest&) { return false; });
  }
  void TearDown() override { app_.reset(); }

 private:
  std::unique_ptr<QApplication> app_;
};

const auto* const registered = ::testing::AddGlobalTestEnvironment(new ShellTestEnvironment);

}  // namespace

ShellSandbox::ShellSandbox(bool withDesktop) {
  MakeFolder(Home());
  MakeFolder(Work());
  MakeFolder(DataHome());
  MakeFolder(ConfigHome());
  if (withDesktop) MakeFolder(Desktop());
  const std::vector<std::pair<std::string, std::string>> values = {
      {"HOME", Home()},
      {"XDG_DESKTOP_DIR", Desktop()},
      {"XDG_DATA_HOME", DataHome()},
      {"XDG_CONFIG_HOME", ConfigHome()},
      {"XDG_DOCUMENTS_DIR", kUnset},
      {"XDG_TEMPLATES_DIR", kUnset},
  };
  for (const auto& [name, value] : values) {
    const char* old = std::getenv(name.c_str());
    saved_.emplace_back(name, old ? old : kUnset);
    if (value == kUnset)
      ::unsetenv(name.c_str());
    else
      ::setenv(name.c_str(), value.c_str(), 1);
  }
  shell::RefreshUserFolders();
}

ShellSandbox::~ShellSandbox() {
  for (const auto& [name, value] : saved_) {
    if (value == kUnset)
      ::unsetenv(name.c_str());
    else
      ::setenv(name.c_str(), value.c_str(), 1);
  }
  shell::RefreshUserFolders();
}

void MakeFolder(const std::string& path) { std::filesystem::create_directories(path); }

void MakeFile(const std::string& path, size_t size) { WriteFile(path, Bytes(size, 0x5A)); }

shell::IdList ParsePath(const std::string& path) {
  shell::ComPtr<shell::IShellFolder> desktop;
  shell::SHGetDesktopFolder(desktop);
  shell::IdList list;
  const shell::HRESULT result =
      desktop->ParseDisplayName(nullptr, nullptr, shell::WideFromBytes(path), nullptr, list, nullptr);
  EXPECT_EQ(result, shell::S_OK) << path;
  return list;
}

RecordingLauncher::RecordingLauncher(bool succeed) {
  previous_ = shell::SetLauncher([this, succeed](const shell::LaunchRequest& request) {
    requests_.push_back(request);
    return succeed;
  });
}

RecordingLauncher::~RecordingLauncher() { shell::SetLauncher(previous_); }

void ProcessEvents() {
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  QCoreApplication::processEvents();
}

}  // namespace lum::test
