// Root texts: special-folder names, paths, and failures that leave the
// control as it was.
#include "platform/shell/DesktopFolder.h"
#include "platform/shell/FileOperations.h"
#include "platform/shell/FileUrls.h"
#include "platform/shell/KnownFolders.h"
#include "platform/shell/Trash.h"
#include "platform/shell/WideText.h"
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

// The user's folders are read once per root change, not in every call.
TEST_F(RootTextTest, ARootChangeReadsTheUsersFoldersAnew) {
  MakeFolder(sandbox_.Home() + "/Dokumente");
  const std::string line = "XDG_DOCUMENTS_DIR=\"$HOME/Dokumente\"\n";
  WriteFile(sandbox_.ConfigHome() + "/user-dirs.dirs", Bytes(line.begin(), line.end()));
  EXPECT_EQ(Root("rfPersonal")->FullPath(), sandbox_.Home() + "/Dokumente");
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

// Every system call would stop at the NUL and reach the folder before it,
// so that deleting any "child" would trash the folder: a NUL makes a path
// or name unusable everywhere.
TEST_F(RootTextTest, APathOrNameWithANulIsRefusedEverywhere) {
  const std::string folder = sandbox_.Work() + "/logos";
  MakeFolder(folder);
  MakeFile(folder + "/a.kvx");
  const std::string withNul = folder + std::string("\0junk", 5);
  std::unique_ptr<TShellFolder> current = Root("rfDesktop");
  std::string text = withNul;
  try {
    ItemFromRootText(current, "rfDesktop", text);
    ADD_FAILURE() << "no exception";
  } catch (const EInvalidPath& failure) {
    EXPECT_EQ(std::string(failure.what()), "Fehler beim Festlegen des Pfades: \"" + folder + "\\0junk\"");
  }
  EXPECT_EQ(text, "rfDesktop");

  IdList none;
  EXPECT_TRUE(Failed(DesktopFolder()->ParseDisplayName(nullptr, nullptr, WideFromBytes(withNul), nullptr, none,
                                                        nullptr)));
  auto work = Root(sandbox_.Work());
  EXPECT_TRUE(Failed(work->ShellFolder()->ParseDisplayName(nullptr, nullptr, WideFromBytes(std::string("logos\0x", 7)),
                                                            nullptr, none, nullptr)));
  EXPECT_FALSE(none);
  auto logos = Child(*work, "logos");
  EXPECT_TRUE(Failed(work->ShellFolder()->SetNameOf(nullptr, logos->RelativeID(), std::wstring(L"new\0x", 5),
                                                     SHGDN_NORMAL, &none)));
  EXPECT_EQ(PasteInto(folder + "/a.kvx", withNul, true), EINVAL);
  EXPECT_EQ(PasteInto(withNul, sandbox_.Work(), true), EINVAL);
  EXPECT_EQ(MoveToTrash(withNul), EINVAL);
  std::string path;
  EXPECT_FALSE(PathFromFileUrl("file://" + withNul, path));
  EXPECT_TRUE(FileExists(folder + "/a.kvx"));
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
