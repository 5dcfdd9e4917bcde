// The shell's context menu on real temporary files: its entries, the verbs,
// the command hook of the control that shows it, and the clipboard.
#include <sys/stat.h>

#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QInputDialog>
#include <QLabel>
#include <QMimeData>
#include <QWidget>
#include <QWindow>

#include "platform/shell/FileClipboard.h"
#include "tests/ShellModelSupport.h"
#include "viewer/ShellCtrls/ShellContextMenu.h"

namespace lum::test {
namespace {

using namespace shell;

// A control that takes part in the commands of its menu.
class HookedControl : public QWidget, public ShellCommandHook {
 public:
  void BeforeCommand(const std::string& verb, bool& handled) override {
    calls.push_back("before " + verb);
    handled = verb == handles;
  }
  void AfterCommand(const std::string& verb, bool succeeded) override {
    calls.push_back("after " + verb + (succeeded ? " ok" : " failed"));
  }
  std::string handles;
  std::vector<std::string> calls;
};

// Chooses the entry shown as `text` instead of the user, and notes whether
// the menu slot held the menu meanwhile.
class Choose {
 public:
  explicit Choose(std::string text) {
    previous_ = SetMenuChooser([this, text](const PopupMenu& menu) -> UINT {
      slotWhileOpen = OpenContextMenu() != nullptr;
      UINT chosen = 0;
      for (const MenuEntry& entry : menu.Entries()) {
        shown.push_back(entry.text);
        if (entry.text == text && entry.IsEnabled()) chosen = entry.id;
      }
      return chosen;
    });
  }
  ~Choose() { SetMenuChooser(previous_); }
  bool slotWhileOpen = false;
  std::vector<std::string> shown;

 private:
  MenuChooser previous_;
};

template <typename Widget>
Widget* FindTopLevel(const char* objectName) {
  ProcessEvents();
  for (QWidget* widget : QApplication::topLevelWidgets())
    if (widget->objectName() == objectName && widget->isVisible()) return qobject_cast<Widget*>(widget);
  return nullptr;
}

class ShellContextMenuTest : public ShellModelFixture {
 protected:
  void TearDown() override {
    for (QWidget* widget : QApplication::topLevelWidgets())
      if (widget->objectName().startsWith("lumShell")) widget->close();
    ProcessEvents();
    QGuiApplication::clipboard()->clear();
  }
  HookedControl control_;
};

TEST_F(ShellContextMenuTest, DeleteMovesTheFileToTheTrashAndTellsTheHook) {
  MakeFile(sandbox_.Work() + "/a.kvx", 9);
  auto root = Root(sandbox_.Work());
  auto item = Child(*root, "a.kvx");
  Choose choose("&Delete");
  ShowShellContextMenu(&control_, item.get(), QPoint(3, 4));
  EXPECT_EQ(choose.shown, (std::vector<std::string>{"&Open", "", "Cu&t", "&Copy", "", "&Delete", "Rena&me", "",
                                                    "P&roperties"}));
  EXPECT_TRUE(choose.slotWhileOpen);
  EXPECT_EQ(OpenContextMenu(), nullptr);
  EXPECT_EQ(control_.calls, (std::vector<std::string>{"before delete", "after delete ok"}));
  EXPECT_FALSE(FileExists(sandbox_.Work() + "/a.kvx"));
  EXPECT_EQ(ReadFile(sandbox_.DataHome() + "/Trash/files/a.kvx").size(), 9u);
}

TEST_F(ShellContextMenuTest, ACommandTheHookHandlesIsNotRunByTheShell) {
  MakeFile(sandbox_.Work() + "/a.kvx");
  auto root = Root(sandbox_.Work());
  auto item = Child(*root, "a.kvx");
  control_.handles = "rename";
  Choose choose("Rena&me");
  ShowShellContextMenu(&control_, item.get(), QPoint());
  EXPECT_EQ(control_.calls, (std::vector<std::string>{"before rename", "after rename ok"}));
  EXPECT_EQ(FindTopLevel<QInputDialog>("lumShellRename"), nullptr);
}

TEST_F(ShellContextMenuTest, ClosingTheMenuWithoutAChoiceDoesNothing) {
  MakeFile(sandbox_.Work() + "/a.kvx");
  auto root = Root(sandbox_.Work());
  Choose choose("(nothing)");
  ShowShellContextMenu(&control_, Child(*root, "a.kvx").get(), QPoint());
  EXPECT_TRUE(control_.calls.empty());
  EXPECT_TRUE(FileExists(sandbox_.Work() + "/a.kvx"));
}

TEST_F(ShellContextMenuTest, AFailedCommandShowsWhyAndTellsTheHook) {
  MakeFile(sandbox_.Work() + "/a.kvx");
  auto root = Root(sandbox_.Work());
  auto item = Child(*root, "a.kvx");
  RecordingLauncher launcher(false);
  Choose choose("&Open");
  ShowShellContextMenu(&control_, item.get(), QPoint());
  EXPECT_EQ(control_.calls, (std::vector<std::string>{"before open", "after open failed"}));
  ASSERT_EQ(launcher.Requests().size(), 1u);
  EXPECT_EQ(launcher.Requests()[0].directory, sandbox_.Work());
  QWidget* box = nullptr;
  ProcessEvents();
  for (QWidget* widget : QApplication::topLevelWidgets())
    if (widget->objectName() == "lumShellFailure") box = widget;
  ASSERT_NE(box, nullptr);
}

TEST_F(ShellContextMenuTest, VirtualFoldersOfferNoCutCopyDeleteOrRename) {
  auto computer = Child(*DesktopShellFolder(), "Computer");
  PutFilesOnClipboard({sandbox_.Work()}, false);
  Choose choose("(nothing)");
  ShowShellContextMenu(&control_, computer.get(), QPoint());
  EXPECT_EQ(choose.shown, (std::vector<std::string>{"&Open", "", "&Paste", "", "P&roperties"}));

  ComPtr<IContextMenu> menu;
  const PCUIDLIST items[1] = {computer->RelativeID()};
  ASSERT_EQ(computer->ParentFolderInterface()->GetUIObjectOf(nullptr, 1, items, IID_IContextMenu, nullptr,
                                                               menu.PutVoid()),
            S_OK);
  CMINVOKECOMMANDINFO info;
  info.lpVerb = std::string("delete");
  EXPECT_EQ(menu->InvokeCommand(info), E_INVALIDARG);
  info.lpVerb = std::string("no such verb");
  EXPECT_EQ(menu->InvokeCommand(info), E_INVALIDARG);
  std::string verb;
  EXPECT_EQ(menu->GetCommandString(3, GCS_VERBA, nullptr, verb), S_OK);
  EXPECT_EQ(verb, "paste");
  PopupMenu defaultOnly;
  menu->QueryContextMenu(defaultOnly, 0, 1, 0x7FFF, CMF_DEFAULTONLY);
  ASSERT_EQ(defaultOnly.Entries().size(), 1u);
  EXPECT_EQ(defaultOnly.Entries()[0].id, 1u);
  EXPECT_TRUE(defaultOnly.Entries()[0].flags & MFS_DEFAULT);
}

TEST_F(ShellContextMenuTest, CopyAndPastePutsACopyIntoTheFolder) {
  MakeFile(sandbox_.Work() + "/a.kvx", 6);
  MakeFolder(sandbox_.Work() + "/into");
  auto root = Root(sandbox_.Work());
  Child(*root, "a.kvx")->InvokeVerb("copy");
  std::vector<std::string> files;
  bool cut = true;
  ASSERT_TRUE(FilesOnClipboard(files, cut));
  EXPECT_EQ(files, std::vector<std::string>{sandbox_.Work() + "/a.kvx"});
  EXPECT_FALSE(cut);
  EXPECT_TRUE(QGuiApplication::clipboard()->mimeData()->hasUrls());  // as file managers read it

  Child(*root, "into")->InvokeVerb("PASTE");
  EXPECT_EQ(ReadFile(sandbox_.Work() + "/into/a.kvx").size(), 6u);
  EXPECT_TRUE(FileExists(sandbox_.Work() + "/a.kvx"));
  Child(*root, "into")->InvokeVerb("paste");
  EXPECT_TRUE(FileExists(sandbox_.Work() + "/into/a (copy).kvx"));
}

TEST_F(ShellContextMenuTest, CutAndPasteMovesTheFileAndEmptiesTheClipboard) {
  MakeFile(sandbox_.Work() + "/a\xff.kvx", 6);
  MakeFolder(sandbox_.Work() + "/into");
  auto root = Root(sandbox_.Work());
  Child(*root, "a\xff.kvx")->InvokeVerb("cut");
  auto into = Child(*root, "into");
  Choose choose("&Paste");
  ShowShellContextMenu(&control_, into.get(), QPoint());
  EXPECT_EQ(control_.calls, (std::vector<std::string>{"before paste", "after paste ok"}));
  EXPECT_EQ(ReadFile(sandbox_.Work() + "/into/a\xff.kvx").size(), 6u);
  EXPECT_FALSE(FileExists(sandbox_.Work() + "/a\xff.kvx"));
  std::vector<std::string> files;
  bool cut = false;
  EXPECT_FALSE(FilesOnClipboard(files, cut));
}

TEST_F(ShellContextMenuTest, RenameAsksForTheNewName) {
  MakeFile(sandbox_.Work() + "/a.kvx");
  MakeFile(sandbox_.Work() + "/taken.kvx");
  auto root = Root(sandbox_.Work());
  Child(*root, "a.kvx")->InvokeVerb("rename");
  auto* dialog = FindTopLevel<QInputDialog>("lumShellRename");
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(dialog->textValue(), "a.kvx");
  dialog->setTextValue("b.kvx");
  dialog->accept();
  EXPECT_TRUE(FileExists(sandbox_.Work() + "/b.kvx"));
  EXPECT_FALSE(FileExists(sandbox_.Work() + "/a.kvx"));

  Child(*root, "b.kvx")->InvokeVerb("rename");
  dialog = FindTopLevel<QInputDialog>("lumShellRename");
  ASSERT_NE(dialog, nullptr);
  dialog->setTextValue("taken.kvx");
  dialog->accept();
  EXPECT_TRUE(FileExists(sandbox_.Work() + "/b.kvx"));
  EXPECT_NE(FindTopLevel<QWidget>("lumShellFailure"), nullptr);
}

TEST_F(ShellContextMenuTest, PropertiesShowTheItem) {
  MakeFile(sandbox_.Work() + "/<i>a[*].kvx", 3008);
  ASSERT_EQ(::chmod((sandbox_.Work() + "/<i>a[*].kvx").c_str(), 0640), 0);
  auto root = Root(sandbox_.Work());
  Child(*root, "<i>a[*].kvx")->InvokeVerb("properties");
  auto* window = FindTopLevel<QDialog>("lumShellProperties");
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->findChild<QLabel*>("name")->text(), "<i>a[*].kvx");
  EXPECT_EQ(window->findChild<QLabel*>("name")->textFormat(), Qt::PlainText);  // not markup
  EXPECT_EQ(window->windowHandle()->title(), "Properties of <i>a[*].kvx");
  EXPECT_EQ(window->findChild<QLabel*>("location")->text(), QString::fromStdString(sandbox_.Work()));
  EXPECT_EQ(window->findChild<QLabel*>("size")->text(), "3008 bytes");
  EXPECT_EQ(window->findChild<QLabel*>("permissions")->text(), "-rw-r----- (640)");
}

TEST_F(ShellContextMenuTest, MenuMessagesReachOnlyAnOpenMenu) {
  intptr_t result = 7;
  EXPECT_FALSE(PassMenuMessage(WM_DRAWITEM, 0, 0, result));
  EXPECT_EQ(result, 7);
  MakeFile(sandbox_.Work() + "/a.kvx");
  auto root = Root(sandbox_.Work());
  bool passed = false, other = true;
  const MenuChooser previous = SetMenuChooser([&](const PopupMenu&) -> UINT {
    passed = PassMenuMessage(WM_MEASUREITEM, 1, 2, result);
    other = PassMenuMessage(0x200, 1, 2, result);
    return 0;
  });
  ShowShellContextMenu(&control_, Child(*root, "a.kvx").get(), QPoint());
  SetMenuChooser(previous);
  EXPECT_TRUE(passed);
  EXPECT_FALSE(other);
  EXPECT_EQ(result, 0);
}

}  // namespace
}  // namespace lum::test
