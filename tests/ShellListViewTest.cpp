// The file list on real temporary folders: filling under the viewer's
// filter, order, root texts, re-scanning, sorting, view styles and columns,
// type-ahead, renaming in place, keys, the context menu, the link with the
// tree and the folder watch.
#include <fcntl.h>
#include <unistd.h>

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QContextMenuEvent>
#include <QCursor>
#include <QElapsedTimer>
#include <QFontDatabase>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QTest>
#include <filesystem>
#include <functional>

#include "platform/shell/NameOrder.h"
#include "platform/shell/PopupMenu.h"
#include "platform/shell/ShellTexts.h"
#include "platform/shell/System.h"
#include "tests/ShellModelSupport.h"
#include "tests/WatchTestSupport.h"
#include "tests/WatchWaits.h"
#include "viewer/ShellCtrls/ChangeMerger.h"
#include "viewer/ShellCtrls/ControlErrors.h"
#include "viewer/ShellCtrls/ShellChangeNotifier.h"
#include "viewer/ShellCtrls/ShellErrors.h"
#include "viewer/ShellCtrls/ShellListModel.h"
#include "viewer/ShellCtrls/ShellListView.h"
#include "viewer/ShellCtrls/ShellTreeLink.h"

namespace lum::test {
namespace {

using namespace shell;

bool IsLogoPath(const std::string& path) {
  const QString name = QString::fromStdString(path).toLower();
  return name.endsWith(".kvx") || name.endsWith(".hzn");
}

std::string Message(const std::function<void()>& action) {
  try {
    action();
  } catch (const std::exception& failure) {
    return failure.what();
  }
  return "(no exception)";
}

// How many holders an object has besides the caller's own reference.
ULONG OtherHolders(IUnknown* object) {
  object->AddRef();
  return object->Release() - 1;
}

// A folder tree as far as the list sees it: it records what it is told and
// answers SelectIdList as a tree does, by calling FollowTree back.
class RecordingTree : public QObject, public ShellTreeLink {
 public:
  void SetTreeRoot(const std::string& rootText) override { roots.push_back(rootText); }
  void SelectIdList(PCUIDLIST absolute) override {
    selected.push_back(ItemFromIdList(absolute)->FullPath());
    if (list) list->FollowTree(absolute);
  }
  void SetListBackLink(TCustomShellListView* linked) override { list = linked; }
  QObject* LinkObject() override { return this; }

  TCustomShellListView* list = nullptr;
  std::vector<std::string> roots;
  std::vector<std::string> selected;
};

class ShellListViewTest : public ShellModelFixture {
 protected:
  void SetUp() override {
    previousHandler_ =
        SetControlExceptionHandler([this](const std::exception& failure) { failures_.push_back(failure.what()); });
  }
  void TearDown() override {
    tester_.reset();
    list_.reset();
    SetControlExceptionHandler(previousHandler_);
    ProcessEvents();
  }

  /// A list on `root` (the desktop when empty) with several rows selectable
  /// in the list style, every item asked of a counting add-filter (refusing
  /// what the viewer refuses when `logosOnly_`), set up further by `setUp`
  /// while loading.
  TShellListView& MakeList(const std::string& root, const std::function<void(TShellListView&)>& setUp = {}) {
    list_ = std::make_unique<TShellListView>();
    tester_ = std::make_unique<QAbstractItemModelTester>(list_->Model(),
                                                         QAbstractItemModelTester::FailureReportingMode::Fatal);
    list_->SetMultiSelect(true);
    list_->SetViewStyle(vsList);
    list_->SetOnAddFolder([this](TCustomShellListView&, TShellFolder* folder, bool& canAdd) {
      ++hookCalls_;
      if (logosOnly_) canAdd = !folder->IsFolderItem() && IsLogoPath(folder->FullPath());
    });
    if (!root.empty()) list_->SetRoot(root);
    if (setUp) setUp(*list_);
    list_->Loaded();
    list_->resize(400, 300);
    list_->show();
    return *list_;
  }

  /// A list as the viewer places it: logo files only, sorted.
  TShellListView& ViewerList(const std::string& root) {
    logosOnly_ = true;
    return MakeList(root, [](TShellListView& list) { list.SetObjectTypes({otNonFolders}); });
  }

  /// The viewer's list, watching its folder.
  TShellListView& WatchedList(const std::string& root) {
    logosOnly_ = true;
    return MakeList(root, [](TShellListView& setUp) {
      setUp.SetObjectTypes({otNonFolders});
      setUp.SetAutoRefresh(true);
    });
  }

  std::vector<std::string> RowNames() const {
    std::vector<std::string> names;
    for (int row = 0; row < list_->RowCount(); ++row) names.push_back(list_->FolderAt(row)->InFolderName());
    return names;
  }
  std::vector<std::string> SelectedNames() const {
    std::vector<std::string> names;
    for (int row = 0; row < list_->RowCount(); ++row)
      if (list_->IsRowSelected(row)) names.push_back(list_->FolderAt(row)->InFolderName());
    return names;
  }
  std::string CurrentName() const {
    const QModelIndex current = list_->SelectionModel()->currentIndex();
    return current.isValid() ? list_->FolderAt(current.row())->InFolderName() : std::string();
  }
  int RowOf(const std::string& name) const {
    for (int row = 0; row < list_->RowCount(); ++row)
      if (list_->FolderAt(row)->InFolderName() == name) return row;
    return -1;
  }
  void MakeCurrent(const std::string& name) {
    list_->SelectionModel()->setCurrentIndex(list_->Model()->index(RowOf(name), 0), QItemSelectionModel::NoUpdate);
  }
  void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(list_->CurrentView(), static_cast<Qt::Key>(key), modifiers);
  }
  /// The open in-place editor (closed ones linger until deleted).
  QLineEdit* Editor() const {
    for (QLineEdit* editor : list_->CurrentView()->findChildren<QLineEdit*>())
      if (!editor->isHidden()) return editor;
    return nullptr;
  }
  /// Opens the in-place editor on the selected row, types `text` over the
  /// name and ends the edit with `key`.
  void RenameInPlace(const QString& text, Qt::Key key = Qt::Key_Return) {
    list_->BeginRename();
    ASSERT_NE(Editor(), nullptr);
    Editor()->setText(text);
    QTest::keyClick(Editor(), key);
    ProcessEvents();
  }

  /// Makes hidden files, which the list does not show, in `folder` until
  /// the list re-scans (the folder must hold an item that the add-filter is
  /// asked about): the watch starts on a thread of its own.
  bool WaitUntilWatching(const std::string& folder) {
    static int probe = 0;
    const int fills = hookCalls_;
    return ProbeUntil([&] { Touch(folder + "/.probe" + std::to_string(++probe)); },
                      [&] { return hookCalls_ > fills; });
  }

  std::vector<std::string> EnumeratedNames(const std::string& folder) {
    auto root = Root(folder);
    std::vector<std::string> names;
    for (const auto& item : Children(*root, SHCONTF_FOLDERS | SHCONTF_NONFOLDERS))
      names.push_back(item->InFolderName());
    return names;
  }

  std::string Work(const std::string& name = {}) const {
    return name.empty() ? sandbox_.Work() : sandbox_.Work() + "/" + name;
  }

  std::unique_ptr<TShellListView> list_;
  std::unique_ptr<QAbstractItemModelTester> tester_;
  bool logosOnly_ = false;
  int hookCalls_ = 0;
  std::vector<std::string> failures_;
  ControlExceptionHandler previousHandler_;
};

TEST_F(ShellListViewTest, ViewerFilterListsLogoFilesInNameOrderAndDestroysRefusedItemsAtOnce) {
  for (const char* name : {"b.kvx", "A.HZN", "logo10.kvx", "logo2.kvx", "notes.txt", "picture.bmp"})
    MakeFile(Work(name));
  MakeFolder(Work("sub"));
  MakeFolder(Work("folder.kvx"));
  const std::vector<std::string> enumerated = EnumeratedNames(Work());

  std::vector<std::string> asked;
  std::vector<ComPtr<IShellFolder>> refusedFolders;
  size_t destroyedAtOnce = 0;
  bool checkRefused = false;
  bool hourglass = true;
  TShellListView& list = MakeList(Work(), [&](TShellListView& setUp) {
    setUp.SetOnAddFolder([&](TCustomShellListView&, TShellFolder* folder, bool& canAdd) {
      // The folder refused just before this item is gone by now.
      if (checkRefused && OtherHolders(refusedFolders.back().Get()) == 0) ++destroyedAtOnce;
      checkRefused = false;
      asked.push_back(folder->InFolderName());
      const QCursor* cursor = QGuiApplication::overrideCursor();
      hourglass = hourglass && cursor && cursor->shape() == Qt::WaitCursor;
      EXPECT_TRUE(canAdd);
      canAdd = !folder->IsFolderItem() && IsLogoPath(folder->FullPath());
      if (folder->IsFolderItem()) refusedFolders.emplace_back(folder->ShellFolder());
      checkRefused = folder->IsFolderItem();
    });
  });
  if (checkRefused && OtherHolders(refusedFolders.back().Get()) == 0) ++destroyedAtOnce;

  EXPECT_EQ(asked, enumerated);
  EXPECT_EQ(RowNames(), (std::vector<std::string>{"A.HZN", "b.kvx", "logo2.kvx", "logo10.kvx"}));
  EXPECT_EQ(refusedFolders.size(), 2u);
  EXPECT_EQ(destroyedAtOnce, 2u);
  EXPECT_TRUE(hourglass);
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
  EXPECT_EQ(list.FirstSelectedRow(), -1);
}

TEST_F(ShellListViewTest, UnsortedRowsKeepTheEnumerationOrderAndSortedOnesPutFoldersFirst) {
  for (const char* name : {"c.kvx", "a.kvx", "B.kvx", "d.kvx"}) MakeFile(Work(name));
  MakeFolder(Work("zz"));
  const std::vector<std::string> enumerated = EnumeratedNames(Work());

  TShellListView& list = MakeList(Work(), [](TShellListView& setUp) { setUp.SetSorted(false); });
  EXPECT_EQ(RowNames(), enumerated);
  list.SetSorted(true);
  EXPECT_EQ(RowNames(), (std::vector<std::string>{"zz", "a.kvx", "B.kvx", "c.kvx", "d.kvx"}));
}

TEST_F(ShellListViewTest, RootTextsThatNameTheShownRootOrNothingChangeNothing) {
  MakeFile(sandbox_.Desktop() + "/a.kvx");
  TShellListView& list = MakeList({});
  TShellFolder* root = list.RootFolder();
  TShellFolder* row = list.FolderAt(0);
  const int fills = hookCalls_;

  list.SetRoot("RFDESKTOP");
  EXPECT_EQ(list.Root(), "rfDesktop");
  const std::string missing = Work("missing");
  EXPECT_EQ(Message([&] { list.SetRoot(missing); }), "Fehler beim Festlegen des Pfades: \"" + missing + "\"");
  EXPECT_EQ(list.Root(), "rfDesktop");
  EXPECT_EQ(list.RootFolder(), root);
  EXPECT_EQ(list.FolderAt(0), row);
  EXPECT_EQ(hookCalls_, fills);

  // Paths that differ in letter case are different folders here.
  MakeFolder(Work("logos"));
  MakeFolder(Work("Logos"));
  MakeFile(Work("logos/x.kvx"));
  MakeFile(Work("Logos/y.kvx"));
  list.SetRoot(Work("logos"));
  list.SetRoot(Work("Logos"));
  EXPECT_EQ(RowNames(), std::vector<std::string>{"y.kvx"});
}

TEST_F(ShellListViewTest, AFilterThatRaisesEndsTheFillAndLeavesTheListUsable) {
  MakeFile(Work("a.kvx"));
  MakeFolder(Work("b"));
  MakeFile(Work("b/c.kvx"));
  TShellListView& list = ViewerList(Work());
  list.SetOnAddFolder([](TCustomShellListView&, TShellFolder*, bool&) { throw LumError("refused"); });
  EXPECT_EQ(Message([&] { list.SetRoot(Work("b")); }), "refused");
  EXPECT_EQ(list.RowCount(), 0);
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
  list.SetOnAddFolder({});
  list.SetRoot(Work());
  EXPECT_EQ(RowNames(), std::vector<std::string>{"a.kvx"});
}

TEST_F(ShellListViewTest, RescanKeepsTheSelectedItemsThatStillExistAndFallsBackToThePosition) {
  for (const char* name : {"a.kvx", "b.kvx", "c.kvx", "d.kvx", "e.kvx"}) MakeFile(Work(name));
  TShellListView& list = ViewerList(Work());
  list.SelectRow(1);
  list.SelectRow(3);
  MakeCurrent("d.kvx");
  // Another program deletes one of them and adds a file before the others.
  Remove(Work("b.kvx"));
  MakeFile(Work("aa.kvx"));
  list.Rescan();
  EXPECT_EQ(SelectedNames(), std::vector<std::string>{"d.kvx"});
  EXPECT_EQ(CurrentName(), "d.kvx");

  // F5 re-scans too; with the selected last row gone, the last row is taken.
  list.SelectionModel()->clearSelection();
  list.SelectRow(list.RowCount() - 1);
  Remove(Work("e.kvx"));
  Key(Qt::Key_F5);
  EXPECT_EQ(RowNames(), (std::vector<std::string>{"a.kvx", "aa.kvx", "c.kvx", "d.kvx"}));
  EXPECT_EQ(SelectedNames(), std::vector<std::string>{"d.kvx"});

  list.SelectionModel()->clearSelection();
  list.Rescan();
  EXPECT_EQ(list.FirstSelectedRow(), -1);
}

TEST_F(ShellListViewTest, ARescanOfAFolderOfManyFilesPutsNewOnesInOrderAndReadsTheDetailsAgain) {
  std::vector<std::string> expected;
  for (int i = 0; i < 200; i += 2) {
    const std::string name = "f" + std::to_string(i) + ".kvx";
    MakeFile(Work(name));
    expected.push_back(name);
  }
  TShellListView& list = ViewerList(Work());
  list.SetViewStyle(vsReport);
  const auto size = [&](const std::string& name) {
    return list.Model()->index(RowOf(name), 1).data().toString().toStdString();
  };
  EXPECT_EQ(size("f10.kvx"), "0");
  Remove(Work("f20.kvx"));
  for (const char* name : {"a.kvx", "f21.kvx", "f199.kvx"}) MakeFile(Work(name));
  MakeFile(Work("f10.kvx"), 5);
  list.Rescan();
  expected.erase(std::find(expected.begin(), expected.end(), "f20.kvx"));
  for (const char* name : {"a.kvx", "f21.kvx", "f199.kvx"}) expected.push_back(name);
  std::sort(expected.begin(), expected.end(), [](const std::string& a, const std::string& b) {
    return shell::CompareNames(a, b) < 0;
  });
  EXPECT_EQ(RowNames(), expected);
  EXPECT_EQ(size("f10.kvx"), "5");
}

TEST_F(ShellListViewTest, SortingByAColumnKeepsTheSelectionOnTheSameFiles) {
  MakeFile(Work("a.kvx"), 30);
  MakeFile(Work("b.kvx"), 10);
  MakeFile(Work("c.kvx"), 20);
  MakeFile(Work("d.kvx"), 5);
  TShellListView& list = ViewerList(Work());
  list.SelectRow(RowOf("a.kvx"));
  list.SelectRow(RowOf("c.kvx"));
  MakeCurrent("c.kvx");

  list.SortRows(1);
  EXPECT_EQ(RowNames(), (std::vector<std::string>{"d.kvx", "b.kvx", "c.kvx", "a.kvx"}));
  EXPECT_EQ(SelectedNames(), (std::vector<std::string>{"c.kvx", "a.kvx"}));
  EXPECT_EQ(CurrentName(), "c.kvx");

  list.SortRows([](const TShellFolder& a, const TShellFolder& b) { return b.CompareWith(a, 0); });
  EXPECT_EQ(RowNames(), (std::vector<std::string>{"d.kvx", "c.kvx", "b.kvx", "a.kvx"}));
  EXPECT_EQ(SelectedNames(), (std::vector<std::string>{"c.kvx", "a.kvx"}));
}

TEST_F(ShellListViewTest, ViewStylesKeepRowsAndSelectionAndTheReportShowsTheFoldersColumns) {
  MakeFile(Work("a.kvx"), 9);
  MakeFile(Work("b.kvx"), 3008);
  TShellListView& list = ViewerList(Work());
  list.SelectRow(1);
  MakeCurrent("b.kvx");
  for (TViewStyle style : {vsIcon, vsSmallIcon, vsReport, vsList}) {
    list.SetViewStyle(style);
    EXPECT_EQ(RowNames(), (std::vector<std::string>{"a.kvx", "b.kvx"})) << style;
    EXPECT_EQ(SelectedNames(), std::vector<std::string>{"b.kvx"}) << style;
    EXPECT_EQ(CurrentName(), "b.kvx") << style;
  }

  // In a font whose digits are as wide as an "X".
  list.setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  list.SetViewStyle(vsReport);
  const ShellListModel& model = *list.Model();
  const auto headers = [&] {
    std::vector<std::string> texts;
    for (int column = 0; column < model.columnCount(); ++column)
      texts.push_back(model.headerData(column, Qt::Horizontal).toString().toStdString());
    return texts;
  };
  EXPECT_EQ(headers(),
            (std::vector<std::string>{text::kColumnName, text::kColumnSize, text::kColumnType, text::kColumnModified}));
  // A selected row is selected across the new columns too.
  EXPECT_TRUE(list.SelectionModel()->isRowSelected(1, {}));
  const auto cell = [&](int row, int column) { return model.index(row, column).data().toString().toStdString(); };
  EXPECT_EQ(cell(0, 0), "a.kvx");
  EXPECT_EQ(cell(0, 1), "9");
  EXPECT_EQ(cell(1, 1), "3008");
  TShellFolder* first = list.FolderAt(0);
  EXPECT_EQ(cell(0, 2), first->DetailText(2));
  EXPECT_EQ(cell(0, 3), first->DetailText(3));
  const QHeaderView* header = static_cast<QTreeView*>(list.CurrentView())->header();
  EXPECT_EQ(header->sectionSize(0), list.fontMetrics().horizontalAdvance('X') * 25);
  // The dates and times fit their column, margins and all.
  QStyleOptionViewItem option;
  option.initFrom(list.CurrentView());
  option.font = list.CurrentView()->font();
  const QModelIndex date = model.index(0, 3);
  EXPECT_GE(header->sectionSize(3), list.CurrentView()->itemDelegateForIndex(date)->sizeHint(option, date).width());

  std::vector<int> clicked;
  list.SetOnColumnClick([&](TCustomShellListView&, int column) { clicked.push_back(column); });
  QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                    QPoint(header->sectionPosition(2) + 5, header->height() / 2));
  EXPECT_EQ(clicked, std::vector<int>{2});

  // The desktop has no detail columns of its own: the list's default ones,
  // and the file data as texts.
  MakeFile(sandbox_.Desktop() + "/d.kvx", 7);
  list.SetRoot("rfDesktop");
  EXPECT_EQ(headers(), (std::vector<std::string>{"Name", "Größe", "Typ", "Geändert"}));
  EXPECT_EQ(cell(0, 1), "7");
  EXPECT_EQ(cell(0, 2), ".kvx");
}

TEST_F(ShellListViewTest, TypeAheadFindsNamesByPrefixFromTheStartRowAndWrapsWhenAsked) {
  for (const char* name : {"alpha.kvx", "beta.kvx", "Bravo.kvx", "charlie.kvx", "zulu.kvx"}) MakeFile(Work(name));
  TShellListView& list = ViewerList(Work());
  EXPECT_EQ(list.FindRow("b", 0, false), 1);
  EXPECT_EQ(list.FindRow("BR", 0, false), 2);
  EXPECT_EQ(list.FindRow("zu", 0, false), 4);
  EXPECT_EQ(list.FindRow("a", 1, false), -1);
  EXPECT_EQ(list.FindRow("a", 1, true), 0);
  EXPECT_EQ(list.FindRow("x", 2, true), -1);
  list.CurrentView()->keyboardSearch("ch");
  EXPECT_EQ(CurrentName(), "charlie.kvx");
}

TEST_F(ShellListViewTest, RenamingInPlaceRenamesTheFileAndARefusalKeepsTheName) {
  MakeFile(Work("a.kvx"));
  MakeFile(Work("b.kvx"));
  TShellListView& list = ViewerList(Work());
  list.SelectRow(1);
  RenameInPlace("c.kvx");
  EXPECT_EQ(list.FolderAt(1)->FullPath(), Work("c.kvx"));
  EXPECT_TRUE(FileExists(Work("c.kvx")));

  RenameInPlace("a.kvx");
  EXPECT_EQ(failures_, std::vector<std::string>{"Umbenennen nach a.kvx ist fehlgeschlagen"});
  EXPECT_EQ(list.FolderAt(1)->InFolderName(), "c.kvx");
  EXPECT_TRUE(FileExists(Work("c.kvx")));
}

TEST_F(ShellListViewTest, EditingANameThatIsNotUtf8KeepsEveryByteTheUserDidNotTouch) {
  const std::string latin1 = "caf\xe9.kvx";
  MakeFile(Work(latin1));
  TShellListView& list = ViewerList(Work());
  list.SelectRow(0);
  RenameInPlace("other.kvx", Qt::Key_Escape);
  list.BeginRename();
  QTest::keyClick(Editor(), Qt::Key_Return);
  ProcessEvents();
  EXPECT_EQ(list.FolderAt(0)->InFolderName(), latin1);

  list.BeginRename();
  QTest::keyClick(Editor(), Qt::Key_End);
  for (int i = 0; i < 4; ++i) QTest::keyClick(Editor(), Qt::Key_Left);
  QTest::keyClicks(Editor(), "X");
  QTest::keyClick(Editor(), Qt::Key_Return);
  ProcessEvents();
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(Work())) names.push_back(entry.path().filename());
  EXPECT_EQ(names, std::vector<std::string>{"caf\xe9X.kvx"});
  EXPECT_EQ(list.FolderAt(0)->InFolderName(), "caf\xe9X.kvx");
  EXPECT_TRUE(failures_.empty());
}

TEST_F(ShellListViewTest, TheKeyThatEndsARenameBelongsToTheEditorAlone) {
  MakeFile(Work("sun.hzn"));
  TShellListView& list = ViewerList(Work());
  list.SelectRow(0);
  MakeCurrent("sun.hzn");
  int keyUps = 0;
  list.SetOnKeyUp([&](TCustomShellListView&, int&, Qt::KeyboardModifiers) { ++keyUps; });
  RecordingLauncher launcher;
  Key(Qt::Key_F2);
  keyUps = 0;
  ASSERT_NE(Editor(), nullptr);
  Editor()->setText("sunny.hzn");
  QTest::keyClick(Editor(), Qt::Key_Return);
  ProcessEvents();
  EXPECT_TRUE(FileExists(Work("sunny.hzn")));

  RenameInPlace("moon.hzn", Qt::Key_Escape);
  EXPECT_EQ(RowNames(), std::vector<std::string>{"sunny.hzn"});
  EXPECT_TRUE(launcher.Requests().empty());
  EXPECT_EQ(keyUps, 0);
}

TEST_F(ShellListViewTest, WhileANameIsEditedOnlyEnterEscOrLeavingTheEditorEndTheEditAndNoKeyMovesTheSelection) {
  for (const char* name : {"a.kvx", "b.kvx", "c.kvx"}) MakeFile(Work(name));
  TShellListView& list = ViewerList(Work());
  list.SelectRow(0);
  MakeCurrent("a.kvx");
  int keyUps = 0;  // the viewer shows the selected file on a key-up
  list.SetOnKeyUp([&](TCustomShellListView&, int&, Qt::KeyboardModifiers) { ++keyUps; });
  list.BeginRename();
  ASSERT_NE(Editor(), nullptr);
  QTest::keyClick(Editor(), Qt::Key_End);
  QTest::keyClicks(Editor(), "half");
  for (const Qt::Key key : {Qt::Key_Down, Qt::Key_Up, Qt::Key_PageDown, Qt::Key_PageUp, Qt::Key_F5}) {
    ASSERT_NE(Editor(), nullptr) << "closed before " << key;
    QTest::keyClick(Editor(), key);
    ProcessEvents();
  }
  ASSERT_NE(Editor(), nullptr);
  EXPECT_EQ(CurrentName(), "a.kvx");
  EXPECT_EQ(SelectedNames(), std::vector<std::string>{"a.kvx"});
  EXPECT_EQ(RowNames(), (std::vector<std::string>{"a.kvx", "b.kvx", "c.kvx"}));

  // Tab takes the name as the editor's losing the focus does, and stays.
  QTest::keyClick(Editor(), Qt::Key_Tab);
  ProcessEvents();
  EXPECT_EQ(Editor(), nullptr);
  EXPECT_TRUE(FileExists(Work("a.kvxhalf")));
  EXPECT_EQ(CurrentName(), "a.kvxhalf");
  EXPECT_EQ(keyUps, 0);
  // After the edit a key moves the selection, and the file it moves to is shown.
  Key(Qt::Key_Down);
  EXPECT_EQ(CurrentName(), "b.kvx");
  EXPECT_EQ(keyUps, 1);
}

TEST_F(ShellListViewTest, ARenamedRowTakesItsPlaceInTheFolderOrderAtTheNextRescan) {
  for (const char* name : {"b.kvx", "c.kvx", "d.kvx", "e.kvx"}) MakeFile(Work(name));
  TShellListView& list = ViewerList(Work());
  list.SelectRow(0);
  RenameInPlace("z.kvx");
  EXPECT_EQ(RowNames(), (std::vector<std::string>{"z.kvx", "c.kvx", "d.kvx", "e.kvx"}));
  Key(Qt::Key_F5);
  EXPECT_EQ(RowNames(), (std::vector<std::string>{"c.kvx", "d.kvx", "e.kvx", "z.kvx"}));
  MakeFile(Work("a.kvx"));
  list.Rescan();
  EXPECT_EQ(RowNames(), (std::vector<std::string>{"a.kvx", "c.kvx", "d.kvx", "e.kvx", "z.kvx"}));
}

TEST_F(ShellListViewTest, AfterARenameInPlaceTheSelectionShownIsTheRenamedFileAndNeverTheOldName) {
  MakeFile(Work("sun.kvx"));
  TShellListView& list = WatchedList(Work());
  ASSERT_TRUE(WaitUntilWatching(Work()));
  list.SelectRow(0);
  MakeCurrent("sun.kvx");
  // What the viewer does on a click or a key-up: open the first selected row's file.
  std::vector<std::string> shown;
  const auto show = [&] {
    const int row = list.FirstSelectedRow();
    const std::string path = row < 0 ? std::string() : list.FolderAt(row)->FullPath();
    shown.push_back(path);
    EXPECT_TRUE(FileExists(path)) << path;
  };
  list.SetOnKeyUp([&](TCustomShellListView&, int&, Qt::KeyboardModifiers) { show(); });
  list.SetOnClick([&](TCustomShellListView&) { show(); });
  // A user's keys: each release goes where the focus is by then.
  QTest::keyPress(list.CurrentView(), Qt::Key_F2);
  ASSERT_NE(Editor(), nullptr);
  QTest::keyRelease(Editor(), Qt::Key_F2);
  QTest::keyClick(Editor(), Qt::Key_Home);
  QTest::keyClicks(Editor(), "new");
  QTest::keyPress(Editor(), Qt::Key_Return);
  QTest::keyRelease(list.CurrentView(), Qt::Key_Return);
  SettleWatchers([&] { return hookCalls_; });
  ASSERT_EQ(RowNames(), std::vector<std::string>{"newsun.kvx"});
  Key(Qt::Key_Home);
  QTest::mouseClick(list.CurrentView()->viewport(), Qt::LeftButton, {},
                    list.CurrentView()->visualRect(list.Model()->index(0, 0)).center());
  ASSERT_FALSE(shown.empty());
  EXPECT_EQ(shown.back(), Work("newsun.kvx"));
  EXPECT_TRUE(failures_.empty());
}

TEST_F(ShellListViewTest, TheDateColumnFitsEveryDateTheLocaleWritesWhateverItsMonthAndTimeOfDay) {
  // Day-time markers of very different widths (HENGIHENGI, EFIAFI; ǁGOAGAS, ǃUIAS).
  const QLocale before;
  for (const char* locale : {"to_TO", "naq_NA"}) {
    QLocale::setDefault(QLocale(locale));
    std::filesystem::remove_all(Work());
    MakeFolder(Work());
    for (int month = 1; month <= 12; ++month)
      for (const int hour : {10, 22}) {
        const std::string name = Work(std::to_string(month) + "-" + std::to_string(hour) + ".kvx");
        MakeFile(name);
        const qint64 when = QDateTime(QDate(2000, month, 28), QTime(hour, 58, 58)).toSecsSinceEpoch();
        const timespec times[2] = {{when, 0}, {when, 0}};
        ASSERT_EQ(utimensat(AT_FDCWD, name.c_str(), times, 0), 0);
      }
    TShellListView& list = ViewerList(Work());
    // Where 14 letters, the count the column asks for, are narrower.
    list.setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    list.SetViewStyle(vsReport);
    QAbstractItemView* view = list.CurrentView();
    const int width = static_cast<QTreeView*>(view)->header()->sectionSize(3);
    QStyleOptionViewItem option;
    option.initFrom(view);
    option.font = view->font();
    for (int row = 0; row < list.RowCount(); ++row) {
      const QModelIndex date = list.Model()->index(row, 3);
      EXPECT_LE(view->itemDelegateForIndex(date)->sizeHint(option, date).width(), width)
          << locale << " " << date.data().toString().toStdString();
    }
  }
  QLocale::setDefault(before);
}

TEST_F(ShellListViewTest, PageDownAndUpMoveAPageAtATimeToTheLastAndFirstRowInEveryStyle) {
  for (int i = 1; i <= 90; ++i) MakeFile(Work((i < 10 ? "f0" : "f") + std::to_string(i) + ".kvx"));
  TShellListView& list = ViewerList(Work());
  const auto currentRow = [&] { return list.SelectionModel()->currentIndex().row(); };
  const int last = list.RowCount() - 1;
  for (TViewStyle style : {vsList, vsSmallIcon, vsIcon, vsReport}) {
    list.SetViewStyle(style);
    MakeCurrent("f01.kvx");
    ProcessEvents();
    // A page: the rows that the view shows whole.
    QAbstractItemView* view = list.CurrentView();
    int page = 0;
    for (int row = 0; row <= last; ++row)
      if (view->viewport()->rect().contains(view->visualRect(list.Model()->index(row, 0)))) ++page;
    ASSERT_GT(page, 1) << style;
    ASSERT_LT(page, last) << style;
    std::vector<int> down{0}, wantDown{0};
    while (down.back() != last && down.size() <= 90) {
      Key(Qt::Key_PageDown);
      wantDown.push_back(std::min(last, down.back() + page));
      down.push_back(currentRow());
    }
    EXPECT_EQ(down, wantDown) << style;
    std::vector<int> up{last}, wantUp{last};
    while (up.back() != 0 && up.size() <= 90) {
      Key(Qt::Key_PageUp);
      wantUp.push_back(std::max(0, up.back() - page));
      up.push_back(currentRow());
    }
    EXPECT_EQ(up, wantUp) << style;
  }
}

TEST_F(ShellListViewTest, AKeyReleaseWhosePressWentElsewhereRunsNothing) {
  MakeFile(Work("a.kvx"));
  MakeFile(Work("b.kvx"));
  TShellListView& list = ViewerList(Work());
  list.SelectRow(0);
  MakeCurrent("a.kvx");
  int keyUps = 0;
  list.SetOnKeyUp([&](TCustomShellListView&, int&, Qt::KeyboardModifiers) { ++keyUps; });
  // The Enter that closed a message box on its press.
  QTest::keyRelease(list.CurrentView(), Qt::Key_Return);
  EXPECT_EQ(keyUps, 0);
  Key(Qt::Key_Down);
  EXPECT_EQ(keyUps, 1);
  EXPECT_EQ(CurrentName(), "b.kvx");
}

TEST_F(ShellListViewTest, BackspaceGoesUpAndTheLinkedTreeFollowsButNotAtTheDesktop) {
  MakeFolder(Work("sub"));
  MakeFile(Work("sub/a.kvx"));
  MakeFile(Work("up.kvx"));
  auto tree = std::make_unique<RecordingTree>();
  TShellListView& list = ViewerList(Work("sub"));
  list.SetShellTreeView(tree.get());
  EXPECT_EQ(tree->list, &list);
  EXPECT_EQ(tree->roots, std::vector<std::string>{Work("sub")});

  const int fills = hookCalls_;
  Key(Qt::Key_Backspace);
  EXPECT_EQ(list.RootFolder()->FullPath(), Work());
  EXPECT_EQ(RowNames(), std::vector<std::string>{"up.kvx"});
  EXPECT_EQ(tree->selected, std::vector<std::string>{Work()});
  EXPECT_EQ(hookCalls_, fills + 1);
  // The tree's selection shows its folder before FollowTree returns.
  list.FollowTree(ParsePath(Work("sub")).get());
  EXPECT_EQ(RowNames(), std::vector<std::string>{"a.kvx"});

  tree.reset();
  EXPECT_EQ(list.ShellTreeView(), nullptr);
  list.SetRoot("rfDesktop");
  TShellFolder* desktop = list.RootFolder();
  const int desktopFills = hookCalls_;
  Key(Qt::Key_Backspace);
  EXPECT_EQ(list.RootFolder(), desktop);
  EXPECT_EQ(hookCalls_, desktopFills);
}

TEST_F(ShellListViewTest, DoubleClickOpensTheFileWithItsApplicationInItsFolder) {
  MakeFile(Work("a.kvx"));
  TShellListView& list = ViewerList(Work());
  list.SelectRow(0);
  RecordingLauncher launcher;
  QAbstractItemView* view = list.CurrentView();
  QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(list.Model()->index(0, 0)).center());
  ASSERT_EQ(launcher.Requests().size(), 1u);
  EXPECT_EQ(launcher.Requests()[0].path, Work("a.kvx"));
  EXPECT_EQ(launcher.Requests()[0].directory, Work() + "/");
  EXPECT_EQ(launcher.Requests()[0].show, SW_SHOW);
}

TEST_F(ShellListViewTest, AContextMenuDeleteRescansOnlyAfterTheMenuHasClosed) {
  MakeFile(Work("a.kvx"));
  MakeFile(Work("b.kvx"));
  TShellListView& list = ViewerList(Work());
  list.SelectRow(0);
  TShellFolder* shown = list.FolderAt(0);
  bool rowKeptWhileOpen = false;
  const MenuChooser previous = SetMenuChooser([&](const PopupMenu& menu) -> UINT {
    list.Rescan();  // a change notice while the menu is open
    rowKeptWhileOpen = list.RowCount() == 2 && list.FolderAt(0) == shown;
    for (const MenuEntry& entry : menu.Entries())
      if (entry.text == text::kMenuDelete) return entry.id;
    return 0;
  });
  QAbstractItemView* view = list.CurrentView();
  const QPoint at = view->visualRect(list.Model()->index(0, 0)).center();
  QContextMenuEvent request(QContextMenuEvent::Mouse, at, view->viewport()->mapToGlobal(at));
  QApplication::sendEvent(view->viewport(), &request);
  SetMenuChooser(previous);

  EXPECT_TRUE(rowKeptWhileOpen);
  EXPECT_FALSE(FileExists(Work("a.kvx")));
  EXPECT_EQ(RowNames(), std::vector<std::string>{"b.kvx"});
}

TEST_F(ShellListViewTest, TheOpenCommandRunsInTheFilesFolderAndRestoresTheCurrentDirectoryWhateverItsOutcome) {
  MakeFile(Work("a.kvx"));
  TShellListView& list = ViewerList(Work());
  list.SelectRow(0);
  const std::string before = GetCurrentDirectory();
  std::string during;
  const Launcher previousLauncher = SetLauncher([&](const LaunchRequest&) {
    during = GetCurrentDirectory();
    return true;
  });
  const MenuChooser previous = SetMenuChooser([](const PopupMenu& menu) -> UINT {
    for (const MenuEntry& entry : menu.Entries())
      if (entry.text == text::kMenuOpen) return entry.id;
    return 0;
  });
  list.ShowContextMenu(QPoint(5, 5));
  EXPECT_EQ(during, Work());
  EXPECT_EQ(GetCurrentDirectory(), before);
  // Also when no application could open it.
  SetLauncher([](const LaunchRequest&) { return false; });
  list.ShowContextMenu(QPoint(5, 5));
  for (QWidget* window : QApplication::topLevelWidgets())
    if (window->objectName() == "lumShellFailure") window->deleteLater();
  ProcessEvents();
  SetMenuChooser(previous);
  SetLauncher(previousLauncher);
  EXPECT_EQ(GetCurrentDirectory(), before);
}

TEST_F(ShellListViewTest, ARowOutsideTheListRaisesTheIndexError) {
  MakeFile(Work("a.kvx"));
  TShellListView& list = ViewerList(Work());
  EXPECT_EQ(Message([&] { list.FolderAt(1); }), "Listenindex überschreitet das Maximum (1)");
  EXPECT_EQ(Message([&] { list.FolderAt(-1); }), "Listenindex überschreitet das Maximum (-1)");
}

TEST_F(ShellListViewTest, AFailureWhileARowIsDrawnGoesToTheHandlerOnce) {
  MakeFile(sandbox_.Desktop() + "/gone.kvx");
  TShellListView& list = MakeList({});
  list.SetViewStyle(vsReport);
  Remove(sandbox_.Desktop() + "/gone.kvx");
  const QModelIndex size = list.Model()->index(RowOf("gone.kvx"), 1);
  EXPECT_EQ(size.data().toString(), QString());
  list.grab();
  EXPECT_EQ(size.data().toString(), QString());
  EXPECT_EQ(failures_, std::vector<std::string>{"Details für Ordner \"gone.kvx\" können nicht gelesen werden. "
                                                "Fehler-Code $2"});
}

TEST_F(ShellListViewTest, AChangeWhileANameIsEditedWaitsUntilTheEditHasEnded) {
  MakeFile(Work("sun.hzn"));
  TShellListView& list = WatchedList(Work());
  list.SelectRow(0);
  list.BeginRename();
  ASSERT_NE(Editor(), nullptr);
  Editor()->setText("sunny");
  MakeFile(Work("moon.kvx"));
  list.Notifier()->OnChange()();
  ProcessEvents();
  ASSERT_NE(Editor(), nullptr);
  EXPECT_EQ(RowNames(), std::vector<std::string>{"sun.hzn"});

  QTest::keyClicks(Editor(), ".hzn");
  QTest::keyClick(Editor(), Qt::Key_Return);
  EXPECT_TRUE(QTest::qWaitFor([&] { return RowNames() == std::vector<std::string>{"moon.kvx", "sunny.hzn"}; }, 5000));
  EXPECT_EQ(SelectedNames(), std::vector<std::string>{"sunny.hzn"});
}

TEST(ChangeMergerTest, ThePauseAfterARefreshIsThreeTimesItsOwnTimeAndBounded) {
  TChangeMerger changes([] {});
  QElapsedTimer refresh;
  refresh.start();
  changes.Refresh([] { QTest::qSleep(50); });
  const qint64 ownMs = refresh.elapsed();
  changes.Changed();
  EXPECT_LE(changes.MsUntilDue(), 3 * ownMs + 20);

  // At most 2 s, or twice a refresh of over a second (a third of the time).
  refresh.restart();
  changes.Refresh([] { QTest::qSleep(800); });
  const qint64 longMs = refresh.elapsed();
  changes.Changed();
  EXPECT_LE(changes.MsUntilDue(), std::max<qint64>(2000, 2 * longMs));
  changes.Refresh([] { QTest::qSleep(1500); });
  QElapsedTimer sinceRefresh;  // however long this thread is held up here
  sinceRefresh.start();
  changes.Changed();
  EXPECT_GT(changes.MsUntilDue() + sinceRefresh.elapsed(), 2000);  // twice 1.5 s, not cut to 2 s
}

TEST_F(ShellListViewTest, ChangesReportedTogetherLeadToOneRescanAndOneDuringARescanToOneMore) {
  MakeFile(Work("a.kvx"));
  TShellListView& list = WatchedList(Work());
  // A change reported while the folder is read again may be missing from
  // what is read: one more re-scan follows.
  TShellChangeNotifier* watch = list.Notifier();
  int fills = 0;
  list.SetOnAddFolder([&](TCustomShellListView&, TShellFolder*, bool&) {
    if (++fills == 1) watch->OnChange()();
  });
  watch->OnChange()();
  EXPECT_TRUE(QTest::qWaitFor([&] { return fills == 2; }, 5000));

  // Changes reported in a row wait for one re-scan, which shows them all;
  // the watch's own notices of them may add one more, not one each.
  int rescans = 0;
  list.SetOnAddFolder([&](TCustomShellListView&, TShellFolder* item, bool&) {
    if (item->InFolderName() == "a.kvx") ++rescans;
  });
  for (int i = 0; i < 20; ++i) {
    MakeFile(Work("b" + std::to_string(i) + ".kvx"));
    list.Notifier()->OnChange()();
  }
  EXPECT_EQ(list.RowCount(), 1);
  EXPECT_TRUE(QTest::qWaitFor([&] { return list.RowCount() == 21; }, kGenerousMs));
  SettleWatchers([&] { return rescans; });
  EXPECT_LE(rescans, 3);
}

TEST_F(ShellListViewTest, AutoRefreshShowsEveryNewFileAndIgnoresARewriteInPlace) {
  MakeFile(Work("a.kvx"), 10);
  MakeFolder(Work("other"));
  MakeFile(Work("other/notes.txt"));  // asked of the filter at every fill
  logosOnly_ = true;
  TShellListView& list = MakeList(Work(), [](TShellListView& setUp) {
    setUp.SetObjectTypes({otNonFolders});
    setUp.SetAutoRefresh(true);
  });
  ASSERT_TRUE(WaitUntilWatching(Work()));
  // Two files in quick succession: the re-scan for the first must not
  // miss the second.
  Touch(Work("b.kvx"));
  Touch(Work("c.kvx"));
  EXPECT_TRUE(QTest::qWaitFor([&] { return list.RowCount() == 3; }, kGenerousMs));

  SettleWatchers([this] { return hookCalls_; });
  const int fills = hookCalls_;
  const int file = ::open(Work("a.kvx").c_str(), O_WRONLY | O_TRUNC);
  ASSERT_GE(file, 0);
  ASSERT_EQ(::write(file, "0123456789", 10), 10);
  ::close(file);
  QTest::qWait(kQuietMs);
  EXPECT_EQ(hookCalls_, fills);

  // Another folder shown is watched instead.
  list.SetRoot(Work("other"));
  ASSERT_TRUE(WaitUntilWatching(Work("other")));
  Touch(Work("other/d.kvx"));
  EXPECT_TRUE(QTest::qWaitFor([&] { return RowNames() == std::vector<std::string>{"d.kvx"}; }, kGenerousMs));
}

}  // namespace
}  // namespace lum::test
