// Pasting files and folders into a folder, copied or moved.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>

#include "platform/shell/FileOperations.h"
#include "tests/ShellTestSupport.h"

namespace lum::test {
namespace {

using namespace shell;

TEST(PasteInto, CopiesUnderAFreeNameAndMoves) {
  ShellSandbox sandbox;
  const std::string from = sandbox.Work() + "/from", to = sandbox.Work() + "/to";
  MakeFolder(from + "/tree/deep");
  MakeFile(from + "/tree/deep/x.kvx", 4);
  MakeFile(from + "/a.kvx", 7);
  MakeFolder(to);
  MakeFile(to + "/a.kvx", 1);

  std::string placed;
  ASSERT_EQ(PasteInto(from + "/a.kvx", to, false, &placed), 0);
  EXPECT_EQ(placed, to + "/a (copy).kvx");
  ASSERT_EQ(PasteInto(from + "/a.kvx", to, false, &placed), 0);
  EXPECT_EQ(placed, to + "/a (copy 2).kvx");
  EXPECT_EQ(ReadFile(placed).size(), 7u);
  EXPECT_TRUE(FileExists(from + "/a.kvx"));

  ASSERT_EQ(PasteInto(from + "/tree", to, true, &placed), 0);
  EXPECT_EQ(placed, to + "/tree");
  EXPECT_EQ(ReadFile(to + "/tree/deep/x.kvx").size(), 4u);
  EXPECT_FALSE(FileExists(from + "/tree"));
}

TEST(PasteInto, RefusesAFolderIntoItselfAndSpecialFilesWithoutHanging) {
  ShellSandbox sandbox;
  const std::string folder = sandbox.Work() + "/f";
  MakeFolder(folder + "/inner");
  EXPECT_EQ(PasteInto(folder, folder, false), EINVAL);
  EXPECT_EQ(PasteInto(folder, folder + "/inner", true), EINVAL);
  EXPECT_TRUE(FileExists(folder + "/inner"));

  ASSERT_EQ(::mkfifo((folder + "/pipe").c_str(), 0600), 0);
  MakeFolder(sandbox.Work() + "/to");
  EXPECT_EQ(PasteInto(folder + "/pipe", sandbox.Work() + "/to", false), ENOTSUP);
  // A folder holding a FIFO is refused before anything is written.
  EXPECT_EQ(PasteInto(folder, sandbox.Work() + "/to", false), ENOTSUP);
  EXPECT_FALSE(FileExists(sandbox.Work() + "/to/f"));
}

}  // namespace
}  // namespace lum::test
