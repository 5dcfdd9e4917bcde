// Moving items to the trash of the data home.
#include <gtest/gtest.h>

#include <cerrno>

#include "platform/shell/FileUrls.h"
#include "platform/shell/Trash.h"
#include "tests/ShellTestSupport.h"

namespace lum::test {
namespace {

using namespace shell;

std::string TextOf(const std::string& path) {
  const Bytes bytes = ReadFile(path);
  return std::string(bytes.begin(), bytes.end());
}

TEST(Trash, MovesIntoTheDataHomeTrashWithAnInfoFile) {
  ShellSandbox sandbox;
  const std::string file = sandbox.Work() + "/" + kNotUtf8;
  MakeFile(file, 12);
  std::string trashed;
  ASSERT_EQ(MoveToTrash(file, &trashed), 0);
  EXPECT_FALSE(FileExists(file));
  const std::string trash = sandbox.DataHome() + "/Trash";
  EXPECT_EQ(trashed, trash + "/files/" + kNotUtf8);
  EXPECT_EQ(ReadFile(trashed).size(), 12u);
  const std::string info = TextOf(trash + "/info/" + kNotUtf8 + ".trashinfo");
  EXPECT_EQ(info.rfind("[Trash Info]\nPath=" + PercentEncodePath(file) + "\nDeletionDate=", 0), 0u) << info;

  // A second item of the same name gets a name of its own.
  MakeFile(file, 3);
  ASSERT_EQ(MoveToTrash(file, &trashed), 0);
  EXPECT_EQ(trashed, trash + "/files/" + kNotUtf8 + ".2");
  EXPECT_TRUE(FileExists(trash + "/info/" + kNotUtf8 + ".2.trashinfo"));
  EXPECT_EQ(MoveToTrash(sandbox.Work() + "/missing"), ENOENT);
}

}  // namespace
}  // namespace lum::test
