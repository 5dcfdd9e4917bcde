// The orders of a list's rows read each row's key once; they must give the
// very order of the folder's own comparison.
#include <fcntl.h>
#include <sys/stat.h>

#include "tests/ShellModelSupport.h"
#include "tests/WatchTestSupport.h"
#include "viewer/ShellCtrls/ShellRowOrder.h"

namespace lum::test {
namespace {

using namespace shell;

void SetModified(const std::string& path, time_t seconds, long nanoseconds) {
  const timespec times[2] = {{seconds, nanoseconds}, {seconds, nanoseconds}};
  ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0) << path;
}

std::vector<std::string> Names(const TShellFolders& items, const TRowOrder& order) {
  std::vector<std::string> names;
  for (const size_t index : order) names.push_back(items[index]->InFolderName());
  return names;
}

class ShellRowOrderTest : public ShellModelFixture {
 protected:
  // Sizes, times, types and permissions that tie in some columns and not
  // in others, a folder, and a file that vanished after the fill.
  void MakeFiles(const std::string& folder) {
    const time_t base = 1700000000;
    struct File {
      const char* name;
      size_t size;
      time_t seconds;
      long nanoseconds;
      mode_t mode;
    };
    for (const File& file : {File{"a.kvx", 30, base + 5, 0, 0644}, File{"B.hzn", 10, base + 1, 500, 0600},
                             File{"c", 10, base + 1, 400, 0644}, File{"d.txt", 0, base + 5, 0, 0444},
                             File{"e.kvx", 30, base + 1, 500, 0640}, File{"logo10.kvx", 7, base, 0, 0644},
                             File{"logo2.kvx", 7, base, 0, 0644}, File{"gone.bmp", 1, base, 0, 0644}}) {
      const std::string path = folder + "/" + file.name;
      MakeFile(path, file.size);
      SetModified(path, file.seconds, file.nanoseconds);
      ::chmod(path.c_str(), file.mode);
    }
    MakeFolder(folder + "/f");
  }

  void ExpectTheFoldersOrder(const TShellFolders& items, int columns) {
    for (int column = 0; column < columns; ++column) {
      const TRowOrder compared = ComparisonOrder(
          items, [column](const TShellFolder& a, const TShellFolder& b) { return a.CompareWith(b, column); });
      EXPECT_EQ(Names(items, ColumnOrder(items, column)), Names(items, compared)) << "column " << column;
    }
    EXPECT_EQ(Names(items, ListOrder(items)), Names(items, ComparisonOrder(items, CompareListItems)));
  }
};

TEST_F(ShellRowOrderTest, KeyedOrdersAreTheFoldersOwnOrder) {
  MakeFiles(sandbox_.Work());
  auto root = Root(sandbox_.Work());
  const TShellFolders items = Children(*root, SHCONTF_FOLDERS | SHCONTF_NONFOLDERS);
  Remove(sandbox_.Work() + "/gone.bmp");
  ExpectTheFoldersOrder(items, 5);
  EXPECT_EQ(
      Names(items, ColumnOrder(items, 1)),
      (std::vector<std::string>{"f", "d.txt", "logo2.kvx", "logo10.kvx", "B.hzn", "c", "a.kvx", "e.kvx", "gone.bmp"}));
}

TEST_F(ShellRowOrderTest, KeyedOrdersOfAFolderLargeEnoughToShareTheLooksAreItsOwnOrder) {
  for (int i = 0; i < 2100; ++i) {
    const std::string path = sandbox_.Work() + "/f" + std::to_string(i) + ".kvx";
    MakeFile(path, static_cast<size_t>((i * 37) % 100));
    SetModified(path, 1700000000 + (i * 53) % 1000, 0);
  }
  auto root = Root(sandbox_.Work());
  const TShellFolders items = Children(*root, SHCONTF_NONFOLDERS);
  for (int column : {1, 3}) {
    const TRowOrder compared = ComparisonOrder(
        items, [column](const TShellFolder& a, const TShellFolder& b) { return a.CompareWith(b, column); });
    EXPECT_EQ(Names(items, ColumnOrder(items, column)), Names(items, compared)) << "column " << column;
  }
}

TEST_F(ShellRowOrderTest, KeyedOrdersAreTheDesktopsOwnOrder) {
  MakeFiles(sandbox_.Desktop());
  auto root = Root("rfDesktop");
  const TShellFolders items = Children(*root, SHCONTF_FOLDERS | SHCONTF_NONFOLDERS);
  ExpectTheFoldersOrder(items, 4);
  EXPECT_EQ(Names(items, ListOrder(items)).front(), "Home");
}

}  // namespace
}  // namespace lum::test
