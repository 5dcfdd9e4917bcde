// The services under the shell namespace: name order, lossless wide text,
// file URLs, the trash, pasting files, the launcher and the icon lists.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <thread>

#include "platform/shell/FileInfo.h"
#include "platform/shell/FileOperations.h"
#include "platform/shell/FileUrls.h"
#include "platform/shell/Launcher.h"
#include "platform/shell/NameOrder.h"
#include "platform/shell/Trash.h"
#include "platform/shell/WideText.h"
#include "tests/ShellTestSupport.h"

namespace lum::test {
namespace {

using namespace shell;

const std::string kNotUtf8 = "logo\xff\xfe.kvx";

std::string TextOf(const std::string& path) {
  const Bytes bytes = ReadFile(path);
  return std::string(bytes.begin(), bytes.end());
}

TEST(NameOrder, IgnoresCaseComparesNumbersAndFallsBackToBytes) {
  EXPECT_LT(CompareNames("logo2", "logo10"), 0);
  EXPECT_LT(CompareNames("Apple", "banana"), 0);
  EXPECT_LT(CompareNames("apple", "Banana"), 0);
  EXPECT_LT(CompareNames("a", "ab"), 0);
  EXPECT_LT(CompareNames("x9y", "x10a"), 0);
  EXPECT_LT(CompareNames("ärger", "Ärgerlich"), 0);  // case folding beyond ASCII
  // Equal to a person, yet never 0: the bytes decide, both ways round.
  EXPECT_LT(CompareNames("LOGO", "logo"), 0);
  EXPECT_GT(CompareNames("logo", "LOGO"), 0);
  EXPECT_NE(CompareNames("logo01", "logo1"), 0);
  EXPECT_EQ(CompareNames("logo01", "logo01"), 0);
  EXPECT_EQ(CompareNames("logo01", "logo1"), -CompareNames("logo1", "logo01"));
  // Long digit runs do not overflow.
  EXPECT_LT(CompareNames("n99999999999999999999", "n100000000000000000000"), 0);
  EXPECT_NE(CompareNames(kNotUtf8, "logo.kvx"), 0);
}

TEST(WideText, CarriesBytesThatAreNotUtf8BothWays) {
  for (const std::string& bytes : {std::string("Größe.kvx"), kNotUtf8, std::string("\xc3"), std::string("\xed\xa0\x80"),
                                  std::string("\xf0\x9f\x98\x80 smile")}) {
    EXPECT_EQ(BytesFromWide(WideFromBytes(bytes)), bytes);
  }
  EXPECT_EQ(WideFromBytes("Größe"), L"Größe");
}

TEST(FileUrls, EncodeEveryByteAndDecodeBack) {
  const std::string path = "/tmp/a b/" + kNotUtf8;
  const std::string url = FileUrlFromPath(path);
  EXPECT_EQ(url, "file:///tmp/a%20b/logo%FF%FE.kvx");
  std::string back;
  ASSERT_TRUE(PathFromFileUrl(url, back));
  EXPECT_EQ(back, path);
  EXPECT_TRUE(PathFromFileUrl("file://localhost/x", back));
  EXPECT_EQ(back, "/x");
  EXPECT_FALSE(PathFromFileUrl("http://host/x", back));
  EXPECT_FALSE(PathFromFileUrl("file://other/x", back));
  EXPECT_FALSE(PathFromFileUrl("file:///a%00b", back));
  EXPECT_FALSE(PathFromFileUrl("file:///a%4", back));
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

TEST(PasteInto, CopiesUnderAFreeNameAndMoves) {
  ShellSandbox sandbox;
  const std::string from = sandbox.Work() + "/from", to = sandbox.Work() + "/to";
  MakeFolder(from + "/tree/deep");
  MakeFile(from + "/tree/deep/x.kvx", 4);
  MakeFile(from + "/a.kvx", 7);
  MakeFolder(to);
  MakeFile(to + "/a.kvx", 1);

  std::string placed;
  ASSERT_EQ(PasteInto(from + "/a.kvx", to, false, &placed), 0);
  EXPECT_EQ(placed, to + "/a (copy).kvx");
  ASSERT_EQ(PasteInto(from + "/a.kvx", to, false, &placed), 0);
  EXPECT_EQ(placed, to + "/a (copy 2).kvx");
  EXPECT_EQ(ReadFile(placed).size(), 7u);
  EXPECT_TRUE(FileExists(from + "/a.kvx"));

  ASSERT_EQ(PasteInto(from + "/tree", to, true, &placed), 0);
  EXPECT_EQ(placed, to + "/tree");
  EXPECT_EQ(ReadFile(to + "/tree/deep/x.kvx").size(), 4u);
  EXPECT_FALSE(FileExists(from + "/tree"));
}

TEST(PasteInto, RefusesAFolderIntoItselfAndSpecialFilesWithoutHanging) {
  ShellSandbox sandbox;
  const std::string folder = sandbox.Work() + "/f";
  MakeFolder(folder + "/inner");
  EXPECT_EQ(PasteInto(folder, folder, false), EINVAL);
  EXPECT_EQ(PasteInto(folder, folder + "/inner", true), EINVAL);
  EXPECT_TRUE(FileExists(folder + "/inner"));

  ASSERT_EQ(::mkfifo((folder + "/pipe").c_str(), 0600), 0);
  MakeFolder(sandbox.Work() + "/to");
  EXPECT_EQ(PasteInto(folder + "/pipe", sandbox.Work() + "/to", false), ENOTSUP);
  // A folder holding a FIFO is refused before anything is written.
  EXPECT_EQ(PasteInto(folder, sandbox.Work() + "/to", false), ENOTSUP);
  EXPECT_FALSE(FileExists(sandbox.Work() + "/to/f"));
}

TEST(Launcher, RunsTheReplacedLauncherForExistingFilesOnly) {
  ShellSandbox sandbox;
  MakeFile(sandbox.Work() + "/" + kNotUtf8);
  RecordingLauncher launcher;
  EXPECT_GT(ShellExecute(nullptr, nullptr, sandbox.Work() + "/" + kNotUtf8, "", sandbox.Work(), SW_HIDE), 32);
  ASSERT_EQ(launcher.Requests().size(), 1u);
  EXPECT_EQ(launcher.Requests()[0].path, sandbox.Work() + "/" + kNotUtf8);
  EXPECT_EQ(launcher.Requests()[0].directory, sandbox.Work());
  EXPECT_EQ(ShellExecute(nullptr, nullptr, sandbox.Work() + "/missing", "", "", SW_SHOW), SE_ERR_FNF);
  EXPECT_EQ(ShellExecute(nullptr, "print", sandbox.Work() + "/" + kNotUtf8, "", "", SW_SHOW), SE_ERR_NOASSOC);

  SHELLEXECUTEINFO info;
  info.fMask = SEE_MASK_INVOKEIDLIST;
  const IdList list = ParsePath(sandbox.Work());
  info.lpIDList = list.get();
  EXPECT_TRUE(ShellExecuteEx(&info));
  ASSERT_EQ(launcher.Requests().size(), 2u);
  EXPECT_EQ(launcher.Requests()[1].path, sandbox.Work());
  EXPECT_EQ(ShellExecute(nullptr, nullptr, sandbox.Work() + "/missing", "", "", SW_SHOW), SE_ERR_FNF);
  EXPECT_EQ(launcher.Requests().size(), 2u);
}

TEST(Launcher, AFailedLaunchIsReported) {
  ShellSandbox sandbox;
  MakeFile(sandbox.Work() + "/a.kvx");
  RecordingLauncher launcher(false);
  EXPECT_EQ(ShellExecute(nullptr, nullptr, sandbox.Work() + "/a.kvx", "", "", SW_SHOW), SE_ERR_NOASSOC);
}

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
