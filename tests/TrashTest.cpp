// Moving items to the trash: the data home's, and the trash at the top of
// another file system.
#include <gtest/gtest.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QApplication>
#include <QMessageBox>
#include <cerrno>
#include <cstring>
#include <filesystem>

#include "base/Messages.h"
#include "platform/shell/ContextMenu.h"
#include "platform/shell/DesktopFolder.h"
#include "platform/shell/FileUrls.h"
#include "platform/shell/ShellTexts.h"
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

TEST(Trash, NamesAsLongAsTheSystemAllowsCanBeTrashed) {
  ShellSandbox sandbox;
  const std::string name = std::string(251, 'n') + ".kvx";  // 255 bytes: the longest name there is
  const std::string file = sandbox.Work() + "/" + name;
  const std::string info = sandbox.DataHome() + "/Trash/info/";
  std::string first, second;
  for (std::string* trashed : {&first, &second}) {
    MakeFile(file, 7);
    ASSERT_EQ(MoveToTrash(file, trashed), 0);
    EXPECT_FALSE(FileExists(file));
    EXPECT_EQ(ReadFile(*trashed).size(), 7u);
    const std::string entry = trashed->substr(trashed->rfind('/') + 1);
    EXPECT_EQ(entry.substr(entry.size() - 4), ".kvx");
    EXPECT_EQ(TextOf(info + entry + ".trashinfo").rfind("[Trash Info]\nPath=" + PercentEncodePath(file) + "\n", 0), 0u);
  }
  EXPECT_NE(first, second);
}

// Another user could read or swap what lands in a trash folder that others
// may write, or in a files/ or info/ that is not a real folder of the
// user's own: nothing is moved there.
TEST(Trash, ATrashOpenToOthersOrWhoseFoldersAreNotTheUsersOwnIsRefused) {
  ShellSandbox sandbox;
  const std::string trash = sandbox.DataHome() + "/Trash";
  const std::string file = sandbox.Work() + "/a.kvx";
  MakeFile(file, 5);
  MakeFolder(trash);
  std::string refused;
  for (const mode_t mode : {0777, 0720, 0702}) {
    ASSERT_EQ(::chmod(trash.c_str(), mode), 0);
    EXPECT_EQ(MoveToTrash(file, nullptr, &refused), kTrashNotSafe) << std::oct << mode;
    EXPECT_EQ(refused, trash);
  }
  ASSERT_EQ(::chmod(trash.c_str(), 0700), 0);

  MakeFolder(sandbox.Work() + "/elsewhere");
  ASSERT_EQ(::symlink((sandbox.Work() + "/elsewhere").c_str(), (trash + "/files").c_str()), 0);
  EXPECT_EQ(MoveToTrash(file, nullptr, &refused), kTrashNotSafe);
  EXPECT_EQ(refused, trash + "/files");
  ASSERT_EQ(::unlink((trash + "/files").c_str()), 0);
  if (::geteuid() == 0) {  // a folder of another user's needs root to make
    MakeFolder(trash + "/info");
    ASSERT_EQ(::chown((trash + "/info").c_str(), kNobody, kNobody), 0);
    EXPECT_EQ(MoveToTrash(file, nullptr, &refused), kTrashNotSafe);
    EXPECT_EQ(refused, trash + "/info");
    ASSERT_EQ(::chown((trash + "/info").c_str(), 0, 0), 0);
  }
  EXPECT_TRUE(FileExists(file));
  EXPECT_TRUE(SnapshotFolder(sandbox.Work() + "/elsewhere").empty());
  EXPECT_TRUE(SnapshotFolder(trash + "/info").empty());
  EXPECT_EQ(MoveToTrash(file), 0);
}

// A tmpfs of the test's own, mounted in a mount namespace of its own, so
// that it is another file system than the data home's and nobody else sees
// it. Needs root.
class OtherFileSystem {
 public:
  explicit OtherFileSystem(const std::string& at) : at_(at) {
    MakeFolder(at);
    if (::unshare(CLONE_NEWNS) != 0) {
      failure_ = std::string("no mount namespace of its own: ") + std::strerror(errno);
    } else if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
               ::mount("lum-trash-test", at.c_str(), "tmpfs", 0, "mode=0755") != 0) {
      failure_ = std::string("cannot mount a file system here: ") + std::strerror(errno);
    }
  }
  ~OtherFileSystem() {
    if (Mounted()) ::umount2(at_.c_str(), MNT_DETACH);
  }
  bool Mounted() const { return failure_.empty(); }
  /// Why it is not mounted.
  const std::string& Failure() const { return failure_; }

 private:
  std::string at_;
  std::string failure_;
};

// The message box a refused delete shows, closed once read.
std::string FailureShown() {
  ProcessEvents();
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (widget->objectName() == "lumShellFailure" && widget->isVisible()) {
      const std::string text = static_cast<QMessageBox*>(widget)->text().toStdString();
      widget->close();
      ProcessEvents();
      return text;
    }
  }
  return "(none)";
}

// Another user could read and move what lands in a trash of theirs: only
// a real, sticky .Trash (with a folder of the user's own in it) or a real
// .Trash-$uid of the user's own is used, else nothing is deleted.
TEST(Trash, OnAnotherFileSystemOnlyATrashOfTheUsersOwnIsUsed) {
  if (::geteuid() != 0) GTEST_SKIP() << "mounting a file system of the test's own needs root";
  ShellSandbox sandbox;
  const std::string top = sandbox.Work() + "/mnt";
  OtherFileSystem other(top);
  // Root without CAP_SYS_ADMIN, as in many CI containers, cannot.
  if (!other.Mounted()) GTEST_SKIP() << other.Failure();
  const std::string uid = std::to_string(::getuid());
  const std::string own = top + "/.Trash-" + uid, shared = top + "/.Trash";
  const std::string file = top + "/a.kvx";
  MakeFile(file, 5);
  namespace fs = std::filesystem;

  // Made beforehand by another user, open to all.
  MakeFolder(own);
  ASSERT_EQ(::chmod(own.c_str(), 0777), 0);
  ASSERT_EQ(::chown(own.c_str(), kNobody, kNobody), 0);
  std::string refused;
  EXPECT_EQ(MoveToTrash(file, nullptr, &refused), kTrashNotSafe);
  EXPECT_EQ(refused, own);
  EXPECT_TRUE(FileExists(file));
  EXPECT_TRUE(SnapshotFolder(own).empty());
  ComPtr<IContextMenu> menu;
  const IdList list = ParsePath(file);
  const PCUIDLIST items[1] = {list.get()};
  ComPtr<IShellFolder> desktop;
  SHGetDesktopFolder(desktop);
  ASSERT_EQ(desktop->GetUIObjectOf(nullptr, 1, items, IID_IContextMenu, nullptr, menu.PutVoid()), S_OK);
  CMINVOKECOMMANDINFO info;
  info.lpVerb = std::string("delete");
  EXPECT_TRUE(Failed(menu->InvokeCommand(info)));
  EXPECT_EQ(FailureShown(), msg::Format(text::kTrashNotSafe, {"a.kvx", own}));
  EXPECT_TRUE(FileExists(file));

  // A symlink in its place, even to a folder of the user's own.
  fs::remove(own);
  MakeFolder(top + "/elsewhere");
  ASSERT_EQ(::symlink("elsewhere", own.c_str()), 0);
  EXPECT_EQ(MoveToTrash(file), kTrashNotSafe);
  EXPECT_TRUE(SnapshotFolder(top + "/elsewhere").empty());

  // A shared .Trash counts only as a real folder with the sticky bit.
  MakeFolder(top + "/sticky");
  ASSERT_EQ(::chmod((top + "/sticky").c_str(), 01777), 0);
  ASSERT_EQ(::symlink("sticky", shared.c_str()), 0);
  EXPECT_EQ(MoveToTrash(file), kTrashNotSafe);
  fs::remove(shared);
  MakeFolder(shared);
  ASSERT_EQ(::chmod(shared.c_str(), 0777), 0);
  EXPECT_EQ(MoveToTrash(file), kTrashNotSafe);
  EXPECT_TRUE(FileExists(file));
  EXPECT_TRUE(SnapshotFolder(shared).empty());

  // Sticky: the user's folder in it is made (0700) and used.
  ASSERT_EQ(::chmod(shared.c_str(), 01777), 0);
  std::string trashed;
  ASSERT_EQ(MoveToTrash(file, &trashed), 0);
  EXPECT_EQ(trashed, shared + "/" + uid + "/files/a.kvx");
  EXPECT_EQ(TextOf(shared + "/" + uid + "/info/a.kvx.trashinfo").rfind("[Trash Info]\nPath=a.kvx\n", 0), 0u);
  struct stat status {};
  ASSERT_EQ(::lstat((shared + "/" + uid).c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & 07777, 0700u);

  // A user's folder in it that another user made is passed over, for a
  // .Trash-$uid made (0700) for the user.
  ASSERT_EQ(::chown((shared + "/" + uid).c_str(), kNobody, kNobody), 0);
  fs::remove(own);
  MakeFile(file, 5);
  ASSERT_EQ(MoveToTrash(file, &trashed), 0);
  EXPECT_EQ(trashed, own + "/files/a.kvx");
  ASSERT_EQ(::lstat(own.c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & 07777, 0700u);
  EXPECT_EQ(status.st_uid, ::getuid());
}

}  // namespace
}  // namespace lum::test
