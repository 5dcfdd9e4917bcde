// The folder tree on real temporary folders, linked with a file list as the
// main window links them: the start, expanding, selecting by path, the two
// following each other, reloading, the folder watch, the context menu and
// its commands, renaming in place, the root text and the icons.
#include <QAbstractItemModelTester>
#include <QApplication>
#include <QContextMenuEvent>
#include <QCursor>
#include <QLineEdit>
#include <QPainter>
#include <QTest>
#include <filesystem>
#include <functional>

#include "platform/shell/FileClipboard.h"
#include "platform/shell/PopupMenu.h"
#include "platform/shell/ShellTexts.h"
#include "platform/shell/System.h"
#include "tests/ShellModelSupport.h"
#include "tests/WatchTestSupport.h"
#include "tests/WatchWaits.h"
#include "viewer/ShellCtrls/ControlErrors.h"
#include "viewer/ShellCtrls/ShellChangeNotifier.h"
#include "viewer/ShellCtrls/ShellErrors.h"
#include "viewer/ShellCtrls/ShellListView.h"
#include "viewer/ShellCtrls/ShellTreeView.h"

namespace lum::test {
namespace {

using namespace shell;
using Names = std::vector<std::string>;

std::string Message(const std::function<void()>& action) {
  try {
    action();
  } catch (const std::exception& failure) {
    return failure.what();
  }
  return "(no exception)";
}

bool IsLogoPath(const std::string& path) {
  const QString name = QString::fromStdString(path).toLower();
  return name.endsWith(".kvx") || name.endsWith(".hzn");
}

UINT EntryOf(const PopupMenu& menu, const char* text) {
  for (const MenuEntry& entry : menu.Entries())
    if (entry.text == text) return entry.id;
  return 0;
}

Names ChildNames(const TShellTreeNode* node) {
  Names names;
  for (int i = 0; i < node->Count(); ++i) names.push_back(node->Child(i)->Text());
  return names;
}

TShellTreeNode* NodeNamed(const TShellTreeNode* node, const std::string& name) {
  for (int i = 0; i < node->Count(); ++i)
    if (node->Child(i)->Text() == name) return node->Child(i);
  ADD_FAILURE() << "no node " << name << " under " << node->Text();
  return nullptr;
}

class ShellTreeViewTest : public ShellModelFixture {
 protected:
  void SetUp() override {
    previousHandler_ =
        SetControlExceptionHandler([this](const std::exception& failure) { failures_.push_back(failure.what()); });
  }
  void TearDown() override {
    tester_.reset();
    tree_.reset();
    list_.reset();
    SetControlExceptionHandler(previousHandler_);
    ProcessEvents();
  }

  /// The tree and the list as the main window sets them up: folders in the
  /// tree, the viewer's logo files in the list, linked both ways; `setUp`
  /// runs on the tree while it loads. Both add-filters count what they are
  /// asked.
  TShellTreeView& MakeBrowser(const std::function<void(TShellTreeView&)>& setUp = {}) {
    list_ = std::make_unique<TShellListView>();
    list_->SetObjectTypes({otNonFolders});
    list_->SetOnAddFolder([this](TCustomShellListView&, TShellFolder* folder, bool& canAdd) {
      ++listAsked_;
      canAdd = !folder->IsFolderItem() && IsLogoPath(folder->FullPath());
    });
    tree_ = std::make_unique<TShellTreeView>();
    tester_ = std::make_unique<QAbstractItemModelTester>(tree_->model(),
                                                         QAbstractItemModelTester::FailureReportingMode::Fatal);
    tree_->SetOnAddFolder([this](TCustomShellTreeView&, TShellFolder*, bool&) {
      ++treeAsked_;
      const QCursor* cursor = QGuiApplication::overrideCursor();
      askedUnderHourglass_ = askedUnderHourglass_ && cursor && cursor->shape() == Qt::WaitCursor;
    });
    tree_->SetShellListView(list_.get());
    list_->SetShellTreeView(tree_.get());
    if (setUp) setUp(*tree_);
    tree_->Loaded();
    list_->Loaded();
    tree_->resize(260, 300);
    tree_->show();
    return *tree_;
  }

  std::string Desktop(const std::string& name) const { return sandbox_.Desktop() + "/" + name; }
  std::string Work(const std::string& name = {}) const {
    return name.empty() ? sandbox_.Work() : sandbox_.Work() + "/" + name;
  }

  Names ListNames() const {
    Names names;
    for (int row = 0; row < list_->RowCount(); ++row) names.push_back(list_->FolderAt(row)->InFolderName());
    return names;
  }
  std::string ListFolder() const { return list_->RootFolder()->FullPath(); }
  TShellTreeNode* Root() const { return tree_->RootNode(); }

  QPoint PlaceOf(TShellTreeNode* node) const {
    tree_->scrollToItem(node);
    return tree_->visualItemRect(node).center();
  }
  void Click(TShellTreeNode* node) { QTest::mouseClick(tree_->viewport(), Qt::LeftButton, {}, PlaceOf(node)); }
  void RightClick(TShellTreeNode* node) {
    const QPoint at = PlaceOf(node);
    QTest::mouseClick(tree_->viewport(), Qt::RightButton, {}, at);
    QContextMenuEvent request(QContextMenuEvent::Mouse, at, tree_->viewport()->mapToGlobal(at));
    QApplication::sendEvent(tree_->viewport(), &request);
  }
  /// The open label editor (closed ones linger until deleted).
  QLineEdit* Editor() const {
    for (QLineEdit* editor : tree_->findChildren<QLineEdit*>())
      if (!editor->isHidden()) return editor;
    return nullptr;
  }
  void EndEdit(const std::string& text) {
    ASSERT_NE(Editor(), nullptr);
    Editor()->setText(QString::fromStdString(text));
    QTest::keyClick(Editor(), Qt::Key_Return);
    ProcessEvents();
  }

  /// Makes hidden folders, which no node shows, in `folder` until the
  /// selected node is reloaded (it must have a child node): the watch
  /// starts on a thread of its own.
  bool WaitUntilReloaded(const std::string& folder) {
    static int probe = 0;
    const int asked = treeAsked_;
    return ProbeUntil([&] { CreateFolder(folder + "/.probe" + std::to_string(++probe)); },
                      [&] { return treeAsked_ > asked; });
  }

  std::unique_ptr<TShellListView> list_;
  std::unique_ptr<TShellTreeView> tree_;
  std::unique_ptr<QAbstractItemModelTester> tester_;
  int listAsked_ = 0;
  int treeAsked_ = 0;
  bool askedUnderHourglass_ = true;
  std::vector<std::string> failures_;
  ControlExceptionHandler previousHandler_;
};

TEST_F(ShellTreeViewTest, StartsAtTheDesktopExpandedAndSelectedWithItsFoldersInNameOrderAndItsLogosListed) {
  for (const char* name : {"b", "A", "c10", "c2", ".hidden"}) MakeFolder(Desktop(name));
  MakeFile(Desktop("x.kvx"));
  MakeFile(Desktop("y.txt"));
  TShellTreeView& tree = MakeBrowser();

  ASSERT_EQ(tree.topLevelItemCount(), 1);
  EXPECT_EQ(Root()->Text(), text::kDesktop);
  EXPECT_TRUE(Root()->isExpanded());
  EXPECT_EQ(tree.Selected(), Root());
  EXPECT_EQ(ChildNames(Root()), (Names{text::kHome, text::kComputer, "A", "b", "c2", "c10"}));
  // Every folder has a button until it is opened.
  for (int i = 0; i < Root()->Count(); ++i) EXPECT_TRUE(Root()->Child(i)->HasChildren()) << i;
  EXPECT_EQ(ListNames(), Names{"x.kvx"});
  EXPECT_EQ(listAsked_, 2);  // one fill
  EXPECT_TRUE(askedUnderHourglass_);
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(ShellTreeViewTest, ExpandingAFolderWithoutListableSubFoldersRemovesItsButtonAndAVetoKeepsIt) {
  MakeFolder(Desktop("files/.hidden"));
  MakeFile(Desktop("files/f.kvx"));
  MakeFolder(Desktop("later/sub"));
  bool veto = true;
  TShellTreeView& tree = MakeBrowser([&](TShellTreeView& setUp) {
    setUp.SetOnExpanding([&](TCustomShellTreeView&, TShellTreeNode* node, bool& allow) {
      if (node->Text() == "later") allow = !veto;
    });
  });
  TShellTreeNode* files = NodeNamed(Root(), "files");
  tree.expandItem(files);
  EXPECT_FALSE(files->isExpanded());
  EXPECT_EQ(files->Count(), 0);
  EXPECT_FALSE(files->HasChildren());

  TShellTreeNode* later = NodeNamed(Root(), "later");
  const int asked = treeAsked_;
  tree.expandItem(later);
  EXPECT_FALSE(later->isExpanded());
  EXPECT_TRUE(later->HasChildren());
  EXPECT_EQ(treeAsked_, asked);
  veto = false;
  tree.expandItem(later);
  EXPECT_TRUE(later->isExpanded());
  EXPECT_EQ(ChildNames(later), Names{"sub"});
  EXPECT_TRUE(askedUnderHourglass_);
}

TEST_F(ShellTreeViewTest, SelectPathExpandsTheAncestorsAndReturnsWithTheListShowingTheFolderReadOnce) {
  MakeFolder(Work("a/b/c"));
  MakeFile(Work("a/b/c/l.kvx"));
  TShellTreeView& tree = MakeBrowser();
  const int fills = listAsked_;
  tree.SelectPath(Work("a/b/c"));
  ASSERT_NE(tree.Selected(), nullptr);
  EXPECT_EQ(tree.Selected()->Item()->FullPath(), Work("a/b/c"));
  for (TShellTreeNode* above = tree.Selected()->Parent(); above; above = above->Parent())
    EXPECT_TRUE(above->isExpanded()) << above->Text();
  EXPECT_EQ(ListNames(), Names{"l.kvx"});
  EXPECT_EQ(listAsked_, fills + 1);

  // The same folder again, with a trailing separator as the controller
  // passes it: nothing is read.
  const int loads = treeAsked_;
  tree.SelectPath(Work("a/b/c") + "/");
  EXPECT_EQ(listAsked_, fills + 1);
  EXPECT_EQ(treeAsked_, loads);
}

TEST_F(ShellTreeViewTest, APathThatDoesNotExistRaisesTheExactMessageAndAHiddenFolderChangesNothing) {
  MakeFolder(Work("a/.hidden"));
  MakeFile(Work("a/l.kvx"));
  TShellTreeView& tree = MakeBrowser();
  tree.SelectPath(Work("a"));
  TShellTreeNode* selected = tree.Selected();
  const int fills = listAsked_;

  const std::string missing = Work("missing");
  EXPECT_THROW(tree.SelectPath(missing), EInvalidPath);
  EXPECT_EQ(Message([&] { tree.SelectPath(missing); }), "Fehler beim Festlegen des Pfades: \"" + missing + "\"");
  tree.SelectPath(Work("a/.hidden"));
  EXPECT_EQ(tree.Selected(), selected);
  EXPECT_EQ(ListNames(), Names{"l.kvx"});
  EXPECT_EQ(listAsked_, fills);
  EXPECT_TRUE(failures_.empty());
}

TEST_F(ShellTreeViewTest, TheTreeAndTheListFollowEachOtherOnceAndForgetEachOtherWhenOneGoes) {
  MakeFolder(Desktop("p/q"));
  MakeFile(Desktop("p/m.kvx"));
  MakeFile(Desktop("p/q/l.kvx"));
  int changes = 0;
  TShellTreeView& tree = MakeBrowser([&](TShellTreeView& setUp) {
    setUp.SetOnChanging([&](TCustomShellTreeView&, TShellTreeNode*, bool&) { ++changes; });
  });
  TShellTreeNode* p = NodeNamed(Root(), "p");
  changes = 0;
  int fills = listAsked_;
  Click(p);
  EXPECT_EQ(tree.Selected(), p);
  EXPECT_EQ(ListNames(), Names{"m.kvx"});
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(listAsked_, fills + 1);

  tree.expandItem(p);
  TShellTreeNode* q = NodeNamed(p, "q");
  Click(q);
  EXPECT_EQ(ListNames(), Names{"l.kvx"});
  changes = 0;
  fills = listAsked_;
  QTest::keyClick(list_->CurrentView(), Qt::Key_Backspace);
  EXPECT_EQ(tree.Selected(), p);
  EXPECT_EQ(ListNames(), Names{"m.kvx"});
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(listAsked_, fills + 1);
  // Collapsing the node above the selected one selects it.
  Click(q);
  tree.collapseItem(p);
  EXPECT_EQ(tree.Selected(), p);
  EXPECT_EQ(ListNames(), Names{"m.kvx"});

  list_.reset();
  EXPECT_EQ(tree.ShellListView(), nullptr);
  tree.expandItem(p);
  Click(q);
  EXPECT_EQ(tree.Selected(), q);
  auto other = std::make_unique<TShellListView>();
  tree.SetShellListView(other.get());
  EXPECT_EQ(other->ShellTreeView(), static_cast<ShellTreeLink*>(&tree));
  tester_.reset();
  tree_.reset();
  EXPECT_EQ(other->ShellTreeView(), nullptr);
}

TEST_F(ShellTreeViewTest, ReloadNodeListsANewFolderAndKeepsTheExpandedOnesTheSelectionAndTheTopNode) {
  MakeFolder(Desktop("r/e/g"));
  MakeFolder(Desktop("r/f"));
  for (int i = 10; i < 40; ++i) MakeFolder(Desktop("z" + std::to_string(i)));
  TShellTreeView& tree = MakeBrowser();
  TShellTreeNode* r = NodeNamed(Root(), "r");
  tree.expandItem(r);
  TShellTreeNode* e = NodeNamed(r, "e");
  tree.expandItem(e);
  Click(e);
  tree.scrollToItem(r, QAbstractItemView::PositionAtTop);
  ASSERT_EQ(tree.TopNode(), r);

  MakeFolder(Desktop("r/new"));
  tree.ReloadNode(r);
  TShellTreeNode* reloaded = NodeNamed(Root(), "r");
  EXPECT_EQ(ChildNames(reloaded), (Names{"e", "f", "new"}));
  EXPECT_TRUE(reloaded->isExpanded());
  TShellTreeNode* expanded = NodeNamed(reloaded, "e");
  EXPECT_TRUE(expanded->isExpanded());
  EXPECT_EQ(ChildNames(expanded), Names{"g"});
  EXPECT_EQ(tree.Selected(), expanded);
  EXPECT_EQ(tree.TopNode(), reloaded);
  EXPECT_EQ(ListFolder(), Desktop("r/e"));
}

TEST_F(ShellTreeViewTest, AChangeInAFolderSelectedByPathWaitsButOneInTheWatchedFolderReloadsTheSelectedNode) {
  MakeFolder(Desktop("A/a1"));
  MakeFolder(Desktop("B/b1"));
  TShellTreeView& tree = MakeBrowser([](TShellTreeView& setUp) { setUp.SetAutoRefresh(true); });
  Click(NodeNamed(Root(), "A"));
  ASSERT_TRUE(WaitUntilReloaded(Desktop("A")));

  tree.SelectPath(Desktop("B"));
  SettleWatchers([this] { return treeAsked_; });
  const int asked = treeAsked_;
  MakeFolder(Desktop("B/new"));
  QTest::qWait(kQuietMs);
  EXPECT_EQ(treeAsked_, asked);

  CreateFolder(Desktop("A/.change"));
  EXPECT_TRUE(QTest::qWaitFor(
      [&] { return tree.Selected() && ChildNames(tree.Selected()) == Names{"b1", "new"}; }, kGenerousMs));
  // The reload selected the folder anew: it is watched now.
  EXPECT_TRUE(WaitUntilReloaded(Desktop("B")));
}

TEST_F(ShellTreeViewTest, AChangeWhileALabelIsEditedWaitsForTheEditAndANodeThatGoesEndsItsEdit) {
  MakeFolder(Desktop("logos/old"));
  TShellTreeView& tree = MakeBrowser([](TShellTreeView& setUp) { setUp.SetAutoRefresh(true); });
  Click(NodeNamed(Root(), "logos"));
  QTest::keyClick(tree.viewport(), Qt::Key_F2);
  ASSERT_NE(Editor(), nullptr);
  QTest::keyClicks(Editor(), "logos_");
  MakeFolder(Desktop("logos/x1"));
  tree.Notifier()->OnChange()();
  ProcessEvents();
  ASSERT_NE(Editor(), nullptr);
  EXPECT_TRUE(FileExists(Desktop("logos")));

  QTest::keyClicks(Editor(), "new");
  QTest::keyClick(Editor(), Qt::Key_Return);
  EXPECT_TRUE(QTest::qWaitFor(
      [&] { return tree.Selected() && ChildNames(tree.Selected()) == Names{"old", "x1"}; }, kGenerousMs));
  EXPECT_EQ(tree.Selected()->Item()->FullPath(), Desktop("logos_new"));
  EXPECT_EQ(ListFolder(), Desktop("logos_new"));

  // The folder being renamed goes: its edit ends, and nothing is renamed.
  tree.EditLabel(*NodeNamed(tree.Selected(), "x1"));
  ASSERT_NE(Editor(), nullptr);
  Editor()->setText("x2");
  std::filesystem::remove(Desktop("logos_new/x1"));
  tree.Notifier()->OnChange()();
  EXPECT_TRUE(QTest::qWaitFor([&] { return ChildNames(tree.Selected()) == Names{"old"}; }, kGenerousMs));
  EXPECT_EQ(Editor(), nullptr);
  EXPECT_FALSE(FileExists(Desktop("logos_new/x2")));
  EXPECT_TRUE(failures_.empty());
}

TEST_F(ShellTreeViewTest, WhileALabelIsEditedNoKeyButEnterEscOrTabEndsTheEditOrMovesTheSelection) {
  MakeFolder(Desktop("logos"));
  MakeFolder(Desktop("more"));
  TShellTreeView& tree = MakeBrowser();
  TShellTreeNode* logos = NodeNamed(Root(), "logos");
  Click(logos);
  QTest::keyClick(tree.viewport(), Qt::Key_F2);
  ASSERT_NE(Editor(), nullptr);
  QTest::keyClicks(Editor(), "half");
  for (const Qt::Key key : {Qt::Key_Down, Qt::Key_Up, Qt::Key_PageDown, Qt::Key_PageUp, Qt::Key_Right}) {
    ASSERT_NE(Editor(), nullptr) << "closed before " << key;
    QTest::keyClick(Editor(), key);
    ProcessEvents();
  }
  ASSERT_NE(Editor(), nullptr);
  EXPECT_EQ(tree.Selected(), logos);
  EXPECT_TRUE(FileExists(Desktop("logos")));

  // Tab takes the name as the editor's losing the focus does, and stays.
  QTest::keyClick(Editor(), Qt::Key_Tab);
  ProcessEvents();
  EXPECT_EQ(Editor(), nullptr);
  EXPECT_EQ(tree.Selected(), logos);
  EXPECT_EQ(logos->Text(), "half");
  EXPECT_EQ(ListFolder(), Desktop("half"));
}

TEST_F(ShellTreeViewTest, ARightClickedNodeIsRenamedFromItsMenuWhileTheSelectionStaysAndARefusalKeepsItsLabel) {
  MakeFolder(Desktop("s"));
  MakeFolder(Desktop("t/v"));
  TShellTreeView& tree = MakeBrowser();
  TShellTreeNode* s = NodeNamed(Root(), "s");
  TShellTreeNode* t = NodeNamed(Root(), "t");
  Click(s);
  tree.expandItem(t);
  bool keptWhileOpen = false;
  std::string actedOn;
  const MenuChooser previous = SetMenuChooser([&](const PopupMenu& menu) -> UINT {
    keptWhileOpen = tree.Selected() == s && ListFolder() == Desktop("s");
    actedOn = tree.SelectedFolderItem()->FullPath();
    return EntryOf(menu, text::kMenuRename);
  });
  RightClick(t);
  SetMenuChooser(previous);
  EXPECT_TRUE(keptWhileOpen);
  EXPECT_EQ(actedOn, Desktop("t"));
  EXPECT_EQ(tree.Selected(), s);
  ASSERT_NE(Editor(), nullptr);
  EXPECT_EQ(Editor()->text(), "t");

  EndEdit("u");
  EXPECT_TRUE(FileExists(Desktop("u/v")));
  EXPECT_EQ(t->Text(), "u");
  // The items below the renamed folder follow it.
  EXPECT_EQ(NodeNamed(t, "v")->Item()->FullPath(), Desktop("u/v"));
  // So does the list, when it shows the renamed folder.
  tree.EditLabel(*s);
  EndEdit("s2");
  EXPECT_EQ(ListFolder(), Desktop("s2"));

  tree.EditLabel(*t);
  EndEdit("s2");
  EXPECT_EQ(failures_, std::vector<std::string>{"Umbenennen nach s2 ist fehlgeschlagen"});
  EXPECT_EQ(t->Text(), "u");
  EXPECT_TRUE(FileExists(Desktop("u")));
}

TEST_F(ShellTreeViewTest, ALabelThatIsNotUtf8IsNeverWrittenBackFromTheEditor) {
  MakeFolder(Desktop(kNotUtf8));
  TShellTreeView& tree = MakeBrowser();
  TShellTreeNode* node = NodeNamed(Root(), kNotUtf8);
  tree.EditLabel(*node);
  ASSERT_NE(Editor(), nullptr);
  QTest::keyClick(Editor(), Qt::Key_Return);
  ProcessEvents();
  Names names;
  for (const auto& entry : std::filesystem::directory_iterator(sandbox_.Desktop()))
    names.push_back(entry.path().filename());
  EXPECT_EQ(names, Names{kNotUtf8});
  EXPECT_EQ(node->Text(), kNotUtf8);
  EXPECT_TRUE(failures_.empty());
}

TEST_F(ShellTreeViewTest, MenuCommandsRemoveADeletedFoldersNodeReloadAfterPasteAndOpenInTheParentFolder) {
  MakeFolder(Desktop("d"));
  MakeFolder(Desktop("k/old"));
  MakeFolder(Work("pasted"));
  TShellTreeView& tree = MakeBrowser();
  const MenuChooser previous = SetMenuChooser([](const PopupMenu& menu) { return EntryOf(menu, text::kMenuDelete); });
  RightClick(NodeNamed(Root(), "d"));
  EXPECT_FALSE(FileExists(Desktop("d")));
  EXPECT_EQ(ChildNames(Root()), (Names{text::kHome, text::kComputer, "k"}));

  // A deletion that left the folder where it was leaves its node too.
  TShellTreeNode* k = NodeNamed(Root(), "k");
  Click(k);
  tree.AfterCommand("delete", true);
  ASSERT_EQ(ChildNames(Root()), (Names{text::kHome, text::kComputer, "k"}));

  PutFilesOnClipboard({Work("pasted")}, false);
  SetMenuChooser([](const PopupMenu& menu) { return EntryOf(menu, text::kMenuPaste); });
  RightClick(k);
  EXPECT_EQ(ChildNames(NodeNamed(Root(), "k")), (Names{"old", "pasted"}));
  ClearFileClipboard();

  // "open" runs in the folder's parent; the directory comes back also when
  // no application could open the folder.
  const std::string before = GetCurrentDirectory();
  std::string during;
  const Launcher previousLauncher = SetLauncher([&](const LaunchRequest&) {
    during = GetCurrentDirectory();
    return false;
  });
  SetMenuChooser([](const PopupMenu& menu) { return EntryOf(menu, text::kMenuOpen); });
  RightClick(NodeNamed(Root(), "k"));
  SetMenuChooser(previous);
  SetLauncher(previousLauncher);
  for (QWidget* window : QApplication::topLevelWidgets())
    if (window->objectName() == "lumShellFailure") window->deleteLater();
  EXPECT_EQ(during, sandbox_.Desktop());
  EXPECT_EQ(GetCurrentDirectory(), before);
}

TEST_F(ShellTreeViewTest, DeletingAnAncestorOfTheSelectedFolderSelectsItsParentAndTheListFollows) {
  MakeFolder(Desktop("del1/del2/del3"));
  MakeFile(Desktop("del1/del2/del3/d.kvx"));
  MakeFile(Desktop("top.kvx"));
  TShellTreeView& tree = MakeBrowser();
  TShellTreeNode* node = Root();
  for (const char* name : {"del1", "del2", "del3"}) {
    tree.expandItem(node);
    Click(node = NodeNamed(node, name));
  }
  ASSERT_EQ(ListNames(), Names{"d.kvx"});
  const MenuChooser previous = SetMenuChooser([](const PopupMenu& menu) { return EntryOf(menu, text::kMenuDelete); });
  RightClick(NodeNamed(Root(), "del1"));
  SetMenuChooser(previous);
  EXPECT_FALSE(FileExists(Desktop("del1")));
  EXPECT_EQ(tree.Selected(), Root());
  EXPECT_EQ(ListNames(), Names{"top.kvx"});
}

TEST_F(ShellTreeViewTest, ASelectedFolderThatAnotherProgramRemovesGivesWayToItsNearestAncestorLeft) {
  MakeFolder(Desktop("del1/del2"));
  MakeFile(Desktop("del1/del2/d.kvx"));
  MakeFile(Desktop("top.kvx"));
  TShellTreeView& tree = MakeBrowser([](TShellTreeView& setUp) { setUp.SetAutoRefresh(true); });
  TShellTreeNode* del1 = NodeNamed(Root(), "del1");
  tree.expandItem(del1);
  Click(NodeNamed(del1, "del2"));
  ASSERT_EQ(ListNames(), Names{"d.kvx"});
  std::filesystem::remove_all(Desktop("del1"));
  tree.Notifier()->OnChange()();
  EXPECT_TRUE(QTest::qWaitFor([&] { return tree.Selected() == Root(); }, kGenerousMs));
  EXPECT_EQ(ChildNames(Root()), (Names{text::kHome, text::kComputer}));
  EXPECT_EQ(ListNames(), Names{"top.kvx"});
  EXPECT_TRUE(failures_.empty());
}

TEST_F(ShellTreeViewTest, AReloadArrivingWhileANodesMenuIsOpenWaitsUntilTheMenuHasClosed) {
  MakeFolder(Desktop("w/x"));
  TShellTreeView& tree = MakeBrowser();
  TShellTreeNode* w = NodeNamed(Root(), "w");
  Click(w);
  const int asked = treeAsked_;
  bool keptWhileOpen = false;
  const MenuChooser previous = SetMenuChooser([&](const PopupMenu&) -> UINT {
    tree.ReloadSelectedNode();  // a change notice while the menu is open
    keptWhileOpen = NodeNamed(Root(), "w") == w && treeAsked_ == asked;
    return 0;
  });
  RightClick(w);
  SetMenuChooser(previous);
  EXPECT_TRUE(keptWhileOpen);
  EXPECT_EQ(treeAsked_, asked + 1);
  EXPECT_EQ(ChildNames(NodeNamed(Root(), "w")), Names{"x"});
}

TEST_F(ShellTreeViewTest, ANewRootRebuildsTheTreeForTheListAndOneThatCannotBeResolvedChangesNothing) {
  MakeFolder(Work("a/b"));
  MakeFile(Work("a/l.kvx"));
  MakeFile(Work("top.kvx"));
  TShellTreeView& tree = MakeBrowser();
  tree.SelectPath(Work("a"));
  TShellTreeNode* root = Root();
  TShellTreeNode* selected = tree.Selected();
  tree.SetRoot("RFDESKTOP");
  const std::string missing = Work("missing");
  EXPECT_EQ(Message([&] { tree.SetRoot(missing); }), "Fehler beim Festlegen des Pfades: \"" + missing + "\"");
  EXPECT_EQ(tree.Root(), "rfDesktop");
  EXPECT_EQ(Root(), root);
  EXPECT_EQ(tree.Selected(), selected);
  EXPECT_EQ(ListNames(), Names{"l.kvx"});

  tree.SetRoot(Work());
  ASSERT_EQ(tree.topLevelItemCount(), 1);
  EXPECT_EQ(Root()->Item()->FullPath(), Work());
  EXPECT_EQ(tree.Selected(), Root());
  EXPECT_EQ(ChildNames(Root()), Names{"a"});
  EXPECT_EQ(list_->Root(), Work());
  EXPECT_EQ(ListNames(), Names{"top.kvx"});
}

TEST_F(ShellTreeViewTest, WithFilesListedAFolderHasAButtonWhenItHoldsAnythingAndAFileOpensWhenExpanded) {
  MakeFolder(Desktop("empty"));
  MakeFolder(Desktop("full"));
  MakeFile(Desktop("full/f.txt"));
  MakeFile(Desktop("l.kvx"));
  TShellTreeView& tree = MakeBrowser([](TShellTreeView& setUp) { setUp.SetObjectTypes({otFolders, otNonFolders}); });
  EXPECT_FALSE(NodeNamed(Root(), "empty")->HasChildren());
  EXPECT_TRUE(NodeNamed(Root(), "full")->HasChildren());

  RecordingLauncher launcher;
  TShellTreeNode* file = NodeNamed(Root(), "l.kvx");
  QTest::mouseDClick(tree.viewport(), Qt::LeftButton, {}, PlaceOf(file));
  ASSERT_EQ(launcher.Requests().size(), 1u);
  EXPECT_EQ(launcher.Requests()[0].path, Desktop("l.kvx"));
  EXPECT_EQ(launcher.Requests()[0].directory, sandbox_.Desktop() + "/");
  EXPECT_EQ(launcher.Requests()[0].show, SW_HIDE);
}

TEST_F(ShellTreeViewTest, NodesShowTheShellsIconsOrTheApplicationsOwnWithTheSelectedImageWhileSelected) {
  MakeFolder(Desktop("f"));
  TShellTreeView& tree = MakeBrowser();
  TShellTreeNode* f = NodeNamed(Root(), "f");
  const auto pixels = [](const QIcon& icon, QIcon::Mode mode) { return icon.pixmap(16, mode).toImage(); };
  SHFILEINFO info;
  const HIMAGELIST system = SHGetFileInfo("/", 0, &info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON);
  EXPECT_EQ(pixels(tree.NodeIcon(*f), QIcon::Normal),
            pixels(system->Icon(f->Item()->ShellImageIndex(false, false)), QIcon::Normal));
  tree.SetUseShellImages(false);
  EXPECT_TRUE(tree.NodeIcon(*f).isNull());

  const auto plain = [](Qt::GlobalColor color) {
    QPixmap pixmap(16, 16);
    pixmap.fill(color);
    return QIcon(pixmap);
  };
  TImageList own(16);
  own.Add(plain(Qt::red));
  own.Add(plain(Qt::green));
  tree.SetOnGetImageIndex([](TCustomShellTreeView&, TShellTreeNode* node) { node->SetImageIndex(0); });
  tree.SetOnGetSelectedIndex([](TCustomShellTreeView&, TShellTreeNode* node) { node->SetSelectedIndex(1); });
  tree.SetImages(&own);
  const QIcon icon = tree.NodeIcon(*f);
  EXPECT_EQ(pixels(icon, QIcon::Normal), pixels(own.Icon(0), QIcon::Normal));
  EXPECT_EQ(pixels(icon, QIcon::Selected), pixels(own.Icon(1), QIcon::Normal));
}

}  // namespace
}  // namespace lum::test
