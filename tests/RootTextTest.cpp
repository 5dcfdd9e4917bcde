// Root texts: special-folder names, paths, and failures that leave the
// control as it was.
#include "platform/shell/DesktopFolder.h"
#include "platform/shell/KnownFolders.h"
#include "tests/ShellModelSupport.h"
#include "viewer/ShellCtrls/ShellErrors.h"

namespace lum::test {
namespace {

using namespace shell;

class RootTextTest : public ShellModelFixture {};

TEST_F(RootTextTest, RootFolderNamesWorkInAnyLetterCase) {
  for (const char* text : {"rfMyComputer", "RFMYCOMPUTER", "rfmycomputer"}) EXPECT_EQ(Root(text)->FullPath(), "/");
  EXPECT_EQ(Root("RfDesktop")->FullPath(), sandbox_.Desktop());
  EXPECT_EQ(Root("rfDesktop")->InFolderName(), "Desktop");
  MakeFolder(sandbox_.Home() + "/Documents");
  EXPECT_EQ(Root("rfPERSONAL")->FullPath(), sandbox_.Home() + "/Documents");

  TRootFolder folder;
  ASSERT_TRUE(RootFolderFromText("RFTEMPLATES", folder));
  EXPECT_EQ(folder, TRootFolder::rfTemplates);
  EXPECT_EQ(RootFolderCsidl(folder), CSIDL_TEMPLATES);
  EXPECT_STREQ(RootFolderName(TRootFolder::rfPrintHood), "rfPrintHood");
  EXPECT_FALSE(RootFolderFromText("rfDesktopX", folder));
}

TEST_F(RootTextTest, PathsAreParsedByTheDesktop) {
  MakeFolder(sandbox_.Work() + "/logos");
  MakeFolder(sandbox_.Work() + "/drive:");
  auto logos = Root(sandbox_.Work() + "/logos");
  EXPECT_EQ(logos->FullPath(), sandbox_.Work() + "/logos");
  EXPECT_TRUE(logos->IsFolderItem());
  EXPECT_NE(logos->ShellFolder(), nullptr);
  EXPECT_EQ(logos->Parent(), DesktopShellFolder());
  EXPECT_EQ(Root(sandbox_.Work() + "/logos/")->FullPath(), sandbox_.Work() + "/logos");
  // A text ending in ":" gets the separator: the folder itself.
  EXPECT_EQ(Root(sandbox_.Work() + "/drive:")->FullPath(), sandbox_.Work() + "/drive:");
}

TEST_F(RootTextTest, AnUnusableRootTextRaisesAndRestoresThePreviousText) {
  MakeFolder(sandbox_.Work() + "/logos");
  const std::string previous = sandbox_.Work() + "/logos";
  std::unique_ptr<TShellFolder> current = Root(previous);
  TShellFolder* const kept = current.get();
  for (const std::string& bad :
       {std::string(""), std::string("relative"), sandbox_.Work() + "/missing", std::string("rfNetwork"),
        std::string("rfPrinters")}) {
    std::string text = bad;
    try {
      ItemFromRootText(current, previous, text);
      ADD_FAILURE() << "no exception for " << bad;
    } catch (const EInvalidPath& failure) {
      EXPECT_EQ(std::string(failure.what()), "Fehler beim Festlegen des Pfades: \"" + bad + "\"");
    }
    EXPECT_EQ(text, previous);
    EXPECT_EQ(current.get(), kept);
  }
}

TEST_F(RootTextTest, ASuccessfulRootTextReplacesTheCurrentRoot) {
  std::unique_ptr<TShellFolder> current = Root("rfDesktop");
  std::string text = "rfMyComputer";
  std::unique_ptr<TShellFolder> next = ItemFromRootText(current, "rfDesktop", text);
  EXPECT_EQ(current, nullptr);
  EXPECT_EQ(text, "rfMyComputer");
  EXPECT_EQ(next->FullPath(), "/");
}

TEST_F(RootTextTest, AnItemFromAnIdListHasThatListAsItsAbsoluteList) {
  MakeFile(sandbox_.Work() + "/a.kvx");
  const IdList folderList = ParsePath(sandbox_.Work());
  auto folder = ItemFromIdList(folderList.get());
  EXPECT_TRUE(SameItem(folder->AbsoluteID(), folderList.get()));
  EXPECT_EQ(IdListSize(folder->AbsoluteID()), IdListSize(folderList.get()));
  EXPECT_EQ(folder->Parent(), DesktopShellFolder());
  EXPECT_EQ(Children(*folder, SHCONTF_NONFOLDERS).size(), 1u);

  // A file has no folder of its own: the desktop folder stands in.
  auto file = ItemFromIdList(ParsePath(sandbox_.Work() + "/a.kvx").get());
  EXPECT_EQ(file->FullPath(), sandbox_.Work() + "/a.kvx");
  EXPECT_FALSE(file->IsFolderItem());
  ComPtr<IShellFolder> desktop;
  SHGetDesktopFolder(desktop);
  EXPECT_EQ(file->ShellFolder(), desktop.Get());
}

}  // namespace
}  // namespace lum::test
