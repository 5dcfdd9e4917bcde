// Opening items with the default application, through a launcher that
// the tests replace.
#include <gtest/gtest.h>

#include "platform/shell/Launcher.h"
#include "tests/ShellTestSupport.h"

namespace lum::test {
namespace {

using namespace shell;

TEST(Launcher, RunsTheReplacedLauncherForExistingFilesOnly) {
  ShellSandbox sandbox;
  MakeFile(sandbox.Work() + "/" + kNotUtf8);
  RecordingLauncher launcher;
  EXPECT_GT(ShellExecute(nullptr, nullptr, sandbox.Work() + "/" + kNotUtf8, "", sandbox.Work(), SW_HIDE), 32);
  ASSERT_EQ(launcher.Requests().size(), 1u);
  EXPECT_EQ(launcher.Requests()[0].path, sandbox.Work() + "/" + kNotUtf8);
  EXPECT_EQ(launcher.Requests()[0].directory, sandbox.Work());
  EXPECT_EQ(ShellExecute(nullptr, nullptr, sandbox.Work() + "/missing", "", "", SW_SHOW), SE_ERR_FNF);
  EXPECT_EQ(ShellExecute(nullptr, "print", sandbox.Work() + "/" + kNotUtf8, "", "", SW_SHOW), SE_ERR_NOASSOC);

  SHELLEXECUTEINFO info;
  info.fMask = SEE_MASK_INVOKEIDLIST;
  const IdList list = ParsePath(sandbox.Work());
  info.lpIDList = list.get();
  EXPECT_TRUE(ShellExecuteEx(&info));
  ASSERT_EQ(launcher.Requests().size(), 2u);
  EXPECT_EQ(launcher.Requests()[1].path, sandbox.Work());
  EXPECT_EQ(ShellExecute(nullptr, nullptr, sandbox.Work() + "/missing", "", "", SW_SHOW), SE_ERR_FNF);
  EXPECT_EQ(launcher.Requests().size(), 2u);
}

TEST(Launcher, AFailedLaunchIsReported) {
  ShellSandbox sandbox;
  MakeFile(sandbox.Work() + "/a.kvx");
  RecordingLauncher launcher(false);
  EXPECT_EQ(ShellExecute(nullptr, nullptr, sandbox.Work() + "/a.kvx", "", "", SW_SHOW), SE_ERR_NOASSOC);
}

}  // namespace
}  // namespace lum::test
