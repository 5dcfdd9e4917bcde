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

// Where a symlink lies decides, never where it leads (nor whether it leads
// anywhere).
TEST(PasteInto, ASymlinkIsCutAndPastedAsTheEntryItIs) {
  ShellSandbox sandbox;
  const std::string a = sandbox.Work() + "/A", b = sandbox.Work() + "/B";
  MakeFolder(a);
  MakeFolder(b);
  MakeFile(b + "/target.kvx", 3);
  ASSERT_EQ(::symlink((b + "/target.kvx").c_str(), (a + "/link").c_str()), 0);
  ASSERT_EQ(::symlink("missing", (a + "/dangling").c_str()), 0);
  const auto isLink = [](const std::string& path) {
    struct stat status {};
    return ::lstat(path.c_str(), &status) == 0 && S_ISLNK(status.st_mode);
  };

  std::string placed;
  ASSERT_EQ(PasteInto(a + "/link", a, true, &placed), 0);  // already there
  EXPECT_EQ(placed, a + "/link");
  EXPECT_TRUE(isLink(a + "/link"));
  EXPECT_FALSE(isLink(a + "/link (copy)"));

  ASSERT_EQ(PasteInto(a + "/link", b, true, &placed), 0);  // into the folder of its target
  EXPECT_EQ(placed, b + "/link");
  EXPECT_TRUE(isLink(b + "/link"));
  EXPECT_FALSE(isLink(a + "/link"));
  EXPECT_EQ(ReadFile(b + "/target.kvx").size(), 3u);

  ASSERT_EQ(PasteInto(a + "/dangling", b, true, &placed), 0);
  EXPECT_TRUE(isLink(b + "/dangling"));
  EXPECT_FALSE(isLink(a + "/dangling"));
}

}  // namespace
}  // namespace lum::test
