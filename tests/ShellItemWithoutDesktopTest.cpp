// TShellFolder when the user has no desktop directory.
#include "tests/ShellModelSupport.h"
#include "viewer/ShellCtrls/ShellColumns.h"

namespace lum::test {
namespace {

class ShellItemWithoutDesktopTest : public ShellModelFixture {
 protected:
  ShellItemWithoutDesktopTest() : ShellModelFixture(false) {}
};

TEST_F(ShellItemWithoutDesktopTest, AClassPathGivesWayToTheNormalName) {
  EXPECT_EQ(DesktopShellFolder()->FullPath(), "Desktop");
  // Without a desktop directory the desktop is no file-system folder: only "Name".
  auto root = Root("rfDesktop");
  const auto columns = ShellColumnsFor(*root, nullptr);
  ASSERT_EQ(columns.size(), 1u);
  EXPECT_EQ(columns[0].caption, "Name");
}

}  // namespace
}  // namespace lum::test
