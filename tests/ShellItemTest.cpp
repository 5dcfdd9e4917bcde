// TShellFolder: names, attributes, renaming, detail texts and columns.
#include <sys/stat.h>
#include <unistd.h>

#include <QString>
#include <algorithm>
#include <cstring>
#include <functional>

#include "platform/shell/DateTimeText.h"
#include "platform/shell/WideText.h"
#include "tests/ShellModelSupport.h"
#include "viewer/ShellCtrls/ShellColumns.h"
#include "viewer/ShellCtrls/ShellErrors.h"
#include "viewer/ShellCtrls/ShownNames.h"

namespace lum::test {
namespace {

using namespace shell;

std::string Message(const std::function<void()>& action) {
  try {
    action();
  } catch (const std::exception& failure) {
    return failure.what();
  }
  return "(no exception)";
}

class ShellItemTest : public ShellModelFixture {};

TEST_F(ShellItemTest, ItemsAreNamedByTheirRowNameAndFullPath) {
  MakeFolder(sandbox_.Work() + "/logos");
  MakeFile(sandbox_.Work() + "/logos/a.kvx");
  auto root = Root(sandbox_.Work() + "/logos");
  auto file = Child(*root, "a.kvx");
  EXPECT_EQ(file->FullPath(), sandbox_.Work() + "/logos/a.kvx");
  EXPECT_EQ(root->FullPath(), sandbox_.Work() + "/logos");
  EXPECT_EQ(root->InFolderName(), "logos");
  EXPECT_EQ(file->Parent(), root.get());

  TShellFolder* desktop = DesktopShellFolder();
  ASSERT_NE(desktop, nullptr);
  EXPECT_EQ(desktop->Parent(), nullptr);
  EXPECT_EQ(desktop->FullPath(), sandbox_.Desktop());
  EXPECT_EQ(desktop->InFolderName(), "Desktop");
  auto home = Child(*desktop, "Home");
  EXPECT_EQ(home->FullPath(), sandbox_.Home());
}

// File names are bytes here, converted without loss: a leading "?" and a
// digit is part of the name, never a placeholder to be removed.
TEST_F(ShellItemTest, NamesStartingWithAQuestionMarkAndADigitStayAsTheyAre) {
  const std::string w = sandbox_.Work();
  for (const char* name : {"?2b.kvx", "2b.kvx", "?1?x.kvx"}) MakeFile(w + "/" + name);
  auto root = Root(w);
  std::vector<std::string> names;
  for (const auto& child : Children(*root, SHCONTF_NONFOLDERS)) names.push_back(child->InFolderName());
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"2b.kvx", "?1?x.kvx", "?2b.kvx"}));

  // An in-place edit left as it was renames the item to the name it shows.
  auto item = Child(*root, "?1?x.kvx");
  ASSERT_NE(item, nullptr);
  ASSERT_TRUE(item->RenameTo(item->InFolderName()));
  EXPECT_TRUE(FileExists(w + "/?1?x.kvx"));
  EXPECT_FALSE(FileExists(w + "/1x.kvx"));

  STRRET wide;
  wide.pOleStr = L"?5?";
  EXPECT_EQ(StrRetToString(wide, nullptr), "?5?");
  STRRET bytes;
  bytes.uType = STRRET_CSTR;
  bytes.cStr = std::string("?7a\0tail", 8);
  EXPECT_EQ(StrRetToString(bytes, nullptr), "?7a");
  EXPECT_EQ(GetDisplayName(nullptr, nullptr, SHGDN_NORMAL), "parentfolder = nil");
}

TEST_F(ShellItemTest, AttributesBecomeCapabilitiesAndProperties) {
  const std::string w = sandbox_.Work();
  MakeFile(w + "/a.kvx");
  MakeFile(w + "/.hidden");
  MakeFile(w + "/locked");
  ASSERT_EQ(::chmod((w + "/locked").c_str(), 0444), 0);
  MakeFolder(w + "/sub");
  ASSERT_EQ(::symlink("a.kvx", (w + "/link").c_str()), 0);
  auto root = Root(w);

  auto file = Child(*root, "a.kvx");
  EXPECT_FALSE(file->IsFolderItem());
  EXPECT_EQ(file->ShellFolder(), nullptr);  // files have no folder interface
  EXPECT_EQ(file->CapabilitySet(),
            (TShellFolderCapabilities{fcCanCopy, fcCanDelete, fcCanMove, fcCanRename, fcHasPropSheet}));
  EXPECT_EQ(file->PropertySet(), (TShellFolderProperties{fpFileSystem}));

  auto sub = Child(*root, "sub");
  EXPECT_TRUE(sub->IsFolderItem());
  EXPECT_TRUE(sub->HasSubFolderItems());
  EXPECT_NE(sub->ShellFolder(), nullptr);
  EXPECT_TRUE(sub->CapabilitySet().Contains(fcDropTarget));
  EXPECT_EQ(sub->PropertySet(), (TShellFolderProperties{fpFileSystem, fpFileSystemAncestor}));

  EXPECT_EQ(Child(*root, ".hidden")->PropertySet(), (TShellFolderProperties{fpHidden, fpFileSystem}));
  EXPECT_EQ(Child(*root, "locked")->PropertySet(), (TShellFolderProperties{fpReadOnly, fpFileSystem}));
  EXPECT_EQ(Child(*root, "link")->PropertySet(), (TShellFolderProperties{fpIsLink, fpFileSystem}));

  auto computer = Child(*DesktopShellFolder(), "Computer");
  EXPECT_EQ(computer->CapabilitySet(), (TShellFolderCapabilities{fcDropTarget, fcHasPropSheet}));
  EXPECT_FALSE(computer->RenameTo("Elsewhere"));  // no rename capability: nothing happens
  EXPECT_EQ(computer->InFolderName(), "Computer");

  // Icons come from the ID: same type, same index; a folder open and closed differ.
  EXPECT_EQ(file->ShellImageIndex(false, false), file->ShellImageIndex(true, false));
  EXPECT_NE(sub->ShellImageIndex(false, false), sub->ShellImageIndex(false, true));
}

TEST_F(ShellItemTest, RenamingUpdatesNameFullPathAndAbsoluteList) {
  MakeFile(sandbox_.Work() + "/old.kvx", 4);
  auto root = Root(sandbox_.Work());
  auto item = Child(*root, "old.kvx");
  ASSERT_TRUE(item->RenameTo("new.kvx"));
  EXPECT_EQ(item->InFolderName(), "new.kvx");
  EXPECT_EQ(item->FullPath(), sandbox_.Work() + "/new.kvx");
  EXPECT_EQ(ReadFile(sandbox_.Work() + "/new.kvx").size(), 4u);
  const IdList expected = ConcatIdLists(root->AbsoluteID(), item->RelativeID());
  EXPECT_EQ(IdListSize(item->AbsoluteID()), IdListSize(expected.get()));
  EXPECT_EQ(std::memcmp(IdBytes(item->AbsoluteID()), IdBytes(expected.get()), IdListSize(expected.get())), 0);
  EXPECT_TRUE(SameItem(item->AbsoluteID(), ParsePath(sandbox_.Work() + "/new.kvx").get()));
}

TEST_F(ShellItemTest, RenamingARootMadeFromAPathKeepsItsPlaceInTheTree) {
  MakeFolder(sandbox_.Work() + "/logos");
  auto root = Root(sandbox_.Work() + "/logos");  // its own list runs from "Computer" down
  ASSERT_TRUE(root->RenameTo("renamed"));
  EXPECT_TRUE(FileExists(sandbox_.Work() + "/renamed"));
  EXPECT_EQ(root->FullPath(), sandbox_.Work() + "/renamed");
  EXPECT_EQ(root->InFolderName(), "renamed");
  EXPECT_TRUE(SameItem(root->AbsoluteID(), ParsePath(sandbox_.Work() + "/renamed").get()));
  EXPECT_EQ(IdListCount(root->RelativeID()), IdListCount(ParsePath(sandbox_.Work() + "/renamed").get()));
}

TEST_F(ShellItemTest, ARenamedFolderStillListsItsItems) {
  MakeFolder(sandbox_.Work() + "/before");
  MakeFile(sandbox_.Work() + "/before/inside.kvx");
  auto root = Root(sandbox_.Work());
  auto folder = Child(*root, "before");
  ASSERT_TRUE(folder->RenameTo("after"));
  const auto items = Children(*folder, SHCONTF_NONFOLDERS);
  ASSERT_EQ(items.size(), 1u);
  EXPECT_EQ(items[0]->FullPath(), sandbox_.Work() + "/after/inside.kvx");
}

// What the tree relies on: items under a renamed folder keep their lists
// through the old name until each is rebuilt from its parent, parents first.
TEST_F(ShellItemTest, ItemsUnderARenamedFolderFollowItWhenRebuiltFromTheirParents) {
  const std::string w = sandbox_.Work();
  MakeFolder(w + "/before/sub");
  MakeFile(w + "/before/sub/a.kvx", 3);
  auto root = Root(w);
  auto folder = Child(*root, "before");
  auto sub = Child(*folder, "sub");
  auto file = Child(*sub, "a.kvx");
  ASSERT_TRUE(folder->RenameTo("after"));
  EXPECT_EQ(file->FullPath(), w + "/before/sub/a.kvx");  // not followed yet

  sub->RebuildFromParent();
  file->RebuildFromParent();
  EXPECT_EQ(sub->FullPath(), w + "/after/sub");
  EXPECT_EQ(file->FullPath(), w + "/after/sub/a.kvx");
  EXPECT_TRUE(SameItem(file->AbsoluteID(), ParsePath(w + "/after/sub/a.kvx").get()));
  EXPECT_EQ(Children(*sub, SHCONTF_NONFOLDERS).size(), 1u);  // its folder reads the new place
  file->LoadColumnDetails(sub.get(), nullptr, 1);
  EXPECT_EQ(file->DetailText(1), "3");
}

TEST_F(ShellItemTest, ARefusedRenameRaisesAndKeepsTheItem) {
  MakeFile(sandbox_.Work() + "/a.kvx");
  MakeFile(sandbox_.Work() + "/taken.kvx");
  auto root = Root(sandbox_.Work());
  auto item = Child(*root, "a.kvx");
  const IdList before = CopyIdList(item->AbsoluteID());
  EXPECT_EQ(Message([&] { item->RenameTo("taken.kvx"); }), "Umbenennen nach taken.kvx ist fehlgeschlagen");
  EXPECT_EQ(Message([&] { item->RenameTo("a/b"); }), "Umbenennen nach a/b ist fehlgeschlagen");
  EXPECT_EQ(item->InFolderName(), "a.kvx");
  EXPECT_TRUE(SameItem(item->AbsoluteID(), before.get()));
  EXPECT_TRUE(FileExists(sandbox_.Work() + "/a.kvx"));
}

// A folder that cannot answer for an item clears the mask: the item is no
// folder and offers nothing.
TEST_F(ShellItemTest, AnItemItsFolderCannotAnswerForHasNoAttributes) {
  auto root = Root(sandbox_.Work());
  TShellFolder nothing(root.get(), nullptr, nullptr);  // the empty list names no entry of the folder
  EXPECT_FALSE(nothing.IsFolderItem());
  EXPECT_FALSE(nothing.HasSubFolderItems());
  EXPECT_TRUE(nothing.CapabilitySet().Empty());
  EXPECT_TRUE(nothing.PropertySet().Empty());

  const uint8_t foreign[] = {'x', 'y'};
  const IdList empty = AllocateIdList(2), stranger = MakeSingleIdList(foreign, sizeof foreign);
  const std::pair<IShellFolder*, PCUIDLIST> asked[] = {
      {root->ShellFolder(), empty.get()},
      {root->ShellFolder(), stranger.get()},
      {DesktopShellFolder()->ShellFolder(), stranger.get()}};
  for (const auto& [folder, list] : asked) {
    SFGAOF mask = SFGAO_FOLDER | SFGAO_CANDELETE;
    EXPECT_TRUE(Failed(folder->GetAttributesOf(1, &list, &mask)));
    EXPECT_EQ(mask, 0u);
  }
}

TEST_F(ShellItemTest, DetailTextsComeFromTheFoldersDetailColumns) {
  MakeFile(sandbox_.Work() + "/a.kvx", 3008);
  ASSERT_EQ(::chmod((sandbox_.Work() + "/a.kvx").c_str(), 0644), 0);
  auto root = Root(sandbox_.Work());
  auto item = Child(*root, "a.kvx");
  EXPECT_EQ(Message([&] { item->DetailText(1); }), "a.kvx: Fehlender AUfruf von LoadColumnDetails");

  EXPECT_NE(root->ShellFolder2(), nullptr);
  EXPECT_EQ(root->DetailInterface(), static_cast<IUnknown*>(root->ShellFolder2()));
  item->LoadColumnDetails(root.get(), nullptr, 4);
  ASSERT_EQ(item->DetailCount(), 4u);
  EXPECT_EQ(item->DetailText(1), "3008");
  EXPECT_EQ(item->DetailText(2), "KVX file");
  struct stat status {};
  ASSERT_EQ(::stat((sandbox_.Work() + "/a.kvx").c_str(), &status), 0);
  EXPECT_EQ(item->DetailText(3), FileTimeText(status.st_mtim.tv_sec));
  EXPECT_EQ(item->DetailText(4), "-rw-r--r--");
  EXPECT_EQ(Message([&] { item->DetailText(5); }), "Listenindex überschreitet das Maximum (4)");

  // Loaded texts are kept: asking for fewer changes nothing.
  MakeFile(sandbox_.Work() + "/a.kvx", 1);
  item->LoadColumnDetails(root.get(), nullptr, 3);
  EXPECT_EQ(item->DetailText(1), "3008");
}

TEST_F(ShellItemTest, ColumnsOfAFileFolderAreItsDefaultOnes) {
  auto root = Root(sandbox_.Work());
  const auto columns = ShellColumnsFor(*root, nullptr);
  ASSERT_EQ(columns.size(), 4u);
  EXPECT_EQ(columns[0].caption, "Name");
  EXPECT_EQ(columns[1].caption, "Size");
  EXPECT_EQ(columns[1].alignment, LVCFMT_RIGHT);
  EXPECT_EQ(columns[3].caption, "Date modified");
  EXPECT_EQ(ShellColumnsFor(*Child(*DesktopShellFolder(), "Computer"), nullptr).size(), 4u);
}

TEST_F(ShellItemTest, TheDesktopHasTheDefaultColumnsAndFileDataTexts) {
  MakeFile(sandbox_.Desktop() + "/x.kvx", 5);
  MakeFolder(sandbox_.Desktop() + "/sub");
  auto root = Root("rfDesktop");
  EXPECT_EQ(root->ShellFolder2(), nullptr);
  EXPECT_EQ(root->ShellDetails(), nullptr);
  const auto columns = ShellColumnsFor(*root, nullptr);
  ASSERT_EQ(columns.size(), 4u);
  const char* const captions[] = {"Name", "Größe", "Typ", "Geändert"};
  const int widths[] = {25, 10, 10, 14};
  for (size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(columns[i].caption, captions[i]);
    EXPECT_EQ(columns[i].widthInChars, widths[i]);
    EXPECT_EQ(columns[i].alignment, i == 1 ? LVCFMT_RIGHT : LVCFMT_LEFT);
  }

  auto file = Child(*root, "x.kvx");
  file->LoadColumnDetails(root.get(), nullptr, 4);
  struct stat status {};
  ASSERT_EQ(::stat((sandbox_.Desktop() + "/x.kvx").c_str(), &status), 0);
  EXPECT_EQ(file->DetailText(1), "5");
  EXPECT_EQ(file->DetailText(2), ".kvx");
  EXPECT_EQ(file->DetailText(3), FileTimeText(status.st_mtim.tv_sec));
  EXPECT_EQ(file->DetailText(4), "128");

  auto sub = Child(*root, "sub");
  sub->LoadColumnDetails(root.get(), nullptr, 4);
  EXPECT_EQ(sub->DetailText(1), "-1");
  EXPECT_EQ(sub->DetailText(3), LocalDateTimeText(1899, 12, 29, 0, 0, 0));
  EXPECT_EQ(sub->DetailText(4), "16");

  auto gone = Child(*root, "x.kvx");
  ::unlink((sandbox_.Desktop() + "/x.kvx").c_str());
  try {
    gone->LoadColumnDetails(root.get(), nullptr, 4);
    ADD_FAILURE() << "no exception";
  } catch (const EInvalidPath& failure) {
    EXPECT_STREQ(failure.what(), "Details für Ordner \"x.kvx\" können nicht gelesen werden. Fehler-Code $2");
  }
}

// What the list sorts its rows with when its root is the desktop.
TEST_F(ShellItemTest, TheDesktopRanksHomeAndComputerThenFoldersThenFiles) {
  for (const char* file : {"a.kvx", "Zz.kvx"}) MakeFile(sandbox_.Desktop() + "/" + file, 10);
  for (const char* folder : {"beta", "Alpha"}) MakeFolder(sandbox_.Desktop() + "/" + folder);
  auto root = Root("rfDesktop");
  auto rows = Children(*root, SHCONTF_FOLDERS | SHCONTF_NONFOLDERS);
  ASSERT_EQ(rows.size(), 6u);
  for (int column = 0; column < 4; ++column) {
    SCOPED_TRACE(column);
    std::reverse(rows.begin(), rows.end());  // the enumeration's order must not decide
    std::sort(rows.begin(), rows.end(), [&](const auto& a, const auto& b) {
      return ShortFromResult(root->ShellFolder()->CompareIDs(column, a->RelativeID(), b->RelativeID())) < 0;
    });
    std::vector<std::string> names;
    for (const auto& row : rows) names.push_back(row->InFolderName());
    EXPECT_EQ(names[0], "Home");
    EXPECT_EQ(names[1], "Computer");
    EXPECT_TRUE(rows[2]->IsFolderItem() && rows[3]->IsFolderItem());
    EXPECT_FALSE(rows[4]->IsFolderItem() || rows[5]->IsFolderItem());
    if (column == 0) {
      EXPECT_EQ(names, (std::vector<std::string>{"Home", "Computer", "Alpha", "beta", "a.kvx", "Zz.kvx"}));
    }
  }
}

TEST_F(ShellItemTest, NamesThatAreNotUtf8ListShowOpenAndRename) {
  const std::string name = "logo\xff.kvx";
  MakeFile(sandbox_.Work() + "/" + name, 3008);
  MakeFolder(sandbox_.Work() + "/dir\xfe");
  auto root = Root(sandbox_.Work());
  auto item = Child(*root, name);
  ASSERT_NE(item, nullptr);
  EXPECT_EQ(item->InFolderName(), name);
  EXPECT_TRUE(QString::fromUtf8(item->InFolderName().c_str()).contains(QChar(0xFFFD)));
  EXPECT_EQ(ReadFile(item->FullPath()).size(), 3008u);

  ASSERT_TRUE(item->RenameTo("neu\xfe.kvx"));
  EXPECT_TRUE(FileExists(sandbox_.Work() + "/neu\xfe.kvx"));
  EXPECT_EQ(item->FullPath(), sandbox_.Work() + "/neu\xfe.kvx");

  auto folder = Root(sandbox_.Work() + "/dir\xfe");
  EXPECT_EQ(folder->FullPath(), sandbox_.Work() + "/dir\xfe");
  EXPECT_EQ(folder->InFolderName(), "dir\xfe");
}

TEST(ShownNamesTest, EveryNameComesBackByteForByteAndItsBytesStayWhereTheyWere) {
  // Latin-1, a cut-off sequence, an overlong form, a surrogate, a value past
  // U+10FFFF, a name that holds one of the characters that stand for bytes,
  // and valid UTF-8 of two and four bytes.
  for (const std::string name : {"caf\xe9.kvx", "a\xe2\x82", "\xc0\xaf", "\xed\xa0\x80", "\xf4\x90\x80\x80",
                                 "x\xef\x9e\x80y", "gr\xc3\xbc\xc3\x9f", "\xf0\x9f\x98\x80"})
    EXPECT_EQ(NameBytes(ShownName(name)), name) << name;
  EXPECT_EQ(ShownName("gr\xc3\xbc\xc3\x9f\xf0\x9f\x98\x80"), QString::fromUtf8("gr\xc3\xbc\xc3\x9f\xf0\x9f\x98\x80"));
  // A character that stands for a byte is that byte, typed or not.
  EXPECT_EQ(NameBytes(QString(QChar(0xF7E9))), "\xe9");
  QString edited = ShownName("caf\xe9.kvx");
  edited.insert(4, QLatin1Char('X'));
  EXPECT_EQ(NameBytes(edited), "caf\xe9X.kvx");
  EXPECT_FALSE(IsNewName(ShownName("\xff\xfe"), "\xff\xfe"));
  EXPECT_TRUE(IsNewName(ShownName("\xff\xfe"), "\xff\xfd"));
}

TEST_F(ShellItemTest, TheDefaultActionGoesToTheLauncher) {
  MakeFile(sandbox_.Work() + "/a.kvx");
  RecordingLauncher launcher;
  auto root = Root(sandbox_.Work());
  Child(*root, "a.kvx")->ExecuteDefault();
  root->ExecuteDefault();
  ASSERT_EQ(launcher.Requests().size(), 2u);
  EXPECT_EQ(launcher.Requests()[0].path, sandbox_.Work() + "/a.kvx");
  EXPECT_EQ(launcher.Requests()[0].show, SW_SHOW);
  EXPECT_EQ(launcher.Requests()[1].path, sandbox_.Work());
}

// A folder of another kind: it offers only the older detail interface, as a
// view object. Its columns stop at the first title seen before.
class DetailsOnlyFolder final : public ComBase<IShellFolder> {
 public:
  HRESULT QueryInterface(REFIID iid, void** object) override {
    return Offer(iid == IID_IUnknown || iid == IID_IShellFolder, object);
  }
  HRESULT ParseDisplayName(HWND, void*, std::wstring_view, ULONG*, IdList&, ULONG*) override { return E_NOTIMPL; }
  HRESULT EnumObjects(HWND, SHCONTF, ComPtr<IEnumIDList>&) override { return E_NOTIMPL; }
  HRESULT BindToObject(PCUIDLIST, void*, REFIID, void** object) override { return Refuse(object); }
  HRESULT CompareIDs(LPARAM, PCUIDLIST, PCUIDLIST) override { return E_NOTIMPL; }
  HRESULT CreateViewObject(HWND, REFIID iid, void** object) override {
    if (iid != IID_IShellDetails) return Refuse(object);
    *object = static_cast<IShellDetails*>(MakeComObject<Details>().Detach());  // the caller's ComPtr adopts it
    return S_OK;
  }
  HRESULT GetAttributesOf(UINT, const PCUIDLIST*, SFGAOF*) override { return E_NOTIMPL; }
  HRESULT GetUIObjectOf(HWND, UINT, const PCUIDLIST*, REFIID, UINT*, void** object) override { return Refuse(object); }
  HRESULT GetDisplayNameOf(PCUIDLIST, SHGDNF, STRRET*) override { return E_NOTIMPL; }
  HRESULT SetNameOf(HWND, PCUIDLIST, std::wstring_view, SHGDNF, IdList*) override { return E_NOTIMPL; }

 private:
  static HRESULT Refuse(void** object) {
    *object = nullptr;
    return E_NOINTERFACE;
  }
  class Details final : public ComBase<IShellDetails> {
   public:
    HRESULT QueryInterface(REFIID iid, void** object) override {
      return Offer(iid == IID_IUnknown || iid == IID_IShellDetails, object);
    }
    HRESULT GetDetailsOf(PCUIDLIST item, UINT column, SHELLDETAILS* details) override {
      static const wchar_t* const titles[] = {L"Title", L"", L"Artist", L"TITLE", L"Never"};
      if (column >= 5) return E_INVALIDARG;
      *details = SHELLDETAILS{};
      details->fmt = LVCFMT_CENTER;
      details->cxChar = 7;
      details->str.pOleStr = item ? L"text " + std::to_wstring(column) : titles[column];
      return S_OK;
    }
  };
};

TEST_F(ShellItemTest, TheOlderDetailInterfaceServesWhenOffered) {
  TShellFolder root(DesktopShellFolder(), nullptr, MakeComObject<DetailsOnlyFolder>());
  ASSERT_NE(root.ShellDetails(), nullptr);
  EXPECT_EQ(root.ShellFolder2(), nullptr);
  EXPECT_EQ(root.DetailInterface(), static_cast<IUnknown*>(root.ShellDetails()));
  const auto columns = ShellColumnsFor(root, nullptr);
  ASSERT_EQ(columns.size(), 2u);
  EXPECT_EQ(columns[0].caption, "Title");
  EXPECT_EQ(columns[1].caption, "Artist");
  EXPECT_EQ(columns[1].alignment, LVCFMT_CENTER);

  TShellFolder row(&root, nullptr, nullptr);
  row.LoadColumnDetails(&root, nullptr, 2);
  EXPECT_EQ(row.DetailText(1), "text 1");
  EXPECT_EQ(row.DetailText(2), "text 2");
}

}  // namespace
}  // namespace lum::test
