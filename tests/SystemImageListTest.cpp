// The icon lists that items take their icons from.
#include <gtest/gtest.h>

#include "platform/shell/FileInfo.h"
#include "tests/ShellTestSupport.h"

namespace lum::test {
namespace {

using namespace shell;

TEST(SystemImageList, SharesOneIndexPerKindOfItem) {
  ShellSandbox sandbox;
  MakeFile(sandbox.Work() + "/a.kvx");
  MakeFile(sandbox.Work() + "/B.KVX");
  MakeFile(sandbox.Work() + "/c.bmp");
  MakeFolder(sandbox.Work() + "/sub");
  auto index = [](const std::string& path, UINT flags) {
    SHFILEINFO info;
    const HIMAGELIST list = SHGetFileInfo(ParsePath(path).get(), 0, &info, SHGFI_PIDL | SHGFI_SYSICONINDEX | flags);
    EXPECT_NE(list, nullptr);
    return info.iIcon;
  };
  const std::string w = sandbox.Work();
  EXPECT_EQ(index(w + "/a.kvx", 0), index(w + "/B.KVX", SHGFI_SMALLICON));
  EXPECT_NE(index(w + "/a.kvx", 0), index(w + "/c.bmp", 0));
  EXPECT_NE(index(w + "/sub", 0), index(w + "/sub", SHGFI_OPENICON));
  EXPECT_NE(index(w + "/sub", 0), index(w + "/a.kvx", 0));

  SHFILEINFO info;
  const HIMAGELIST small = SHGetFileInfo("/", 0, &info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON);
  const HIMAGELIST large = SHGetFileInfo("/", 0, &info, SHGFI_SYSICONINDEX);
  ASSERT_TRUE(small && large);
  EXPECT_NE(small, large);
  EXPECT_FALSE(small->IsLarge());
  EXPECT_LT(small->IconSize(), large->IconSize());
  EXPECT_FALSE(small->Icon(index(w + "/c.bmp", 0)).isNull());
  EXPECT_EQ(SHGetFileInfo(w + "/missing", 0, &info, SHGFI_SYSICONINDEX), nullptr);
}

}  // namespace
}  // namespace lum::test
