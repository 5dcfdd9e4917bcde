// The shell namespace over the file system, on its own: the desktop, file
// folders, names, attributes, order, renaming, details and special folders.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>

#include "platform/shell/DesktopFolder.h"
#include "platform/shell/FindFile.h"
#include "platform/shell/KnownFolders.h"
#include "platform/shell/NamespaceIds.h"
#include "platform/shell/ShellInterfaces.h"
#include "platform/shell/UserFolders.h"
#include "platform/shell/WideText.h"
#include "tests/ShellTestSupport.h"
#include "viewer/ShellCtrls/IdLists.h"

namespace lum::test {
namespace {

using namespace shell;

ComPtr<IShellFolder> Desktop() {
  ComPtr<IShellFolder> desktop;
  EXPECT_EQ(SHGetDesktopFolder(desktop), S_OK);
  return desktop;
}

ComPtr<IShellFolder2> FolderAt(const std::string& path) {
  const IdList list = ParsePath(path);
  ComPtr<IShellFolder2> folder;
  EXPECT_EQ(Desktop()->BindToObject(list.get(), nullptr, IID_IShellFolder2, folder.PutVoid()), S_OK) << path;
  return folder;
}

// The text of a STRRET, read plainly (the model reads it the same way).
std::string Text(const STRRET& name, PCUIDLIST list) {
  switch (name.uType) {
    case STRRET_WSTR: return BytesFromWide(name.pOleStr);
    case STRRET_OFFSET:
      return std::string(reinterpret_cast<const char*>(IdBytes(list)) + name.uOffset,
                         ReadIdLength(IdBytes(list)) - name.uOffset);
    default: return name.cStr;
  }
}

std::string NameOf(IShellFolder* folder, PCUIDLIST list, SHGDNF flags, UINT* form = nullptr) {
  STRRET name;
  EXPECT_EQ(folder->GetDisplayNameOf(list, flags, &name), S_OK);
  if (form) *form = name.uType;
  return Text(name, list);
}

std::vector<IdList> Items(IShellFolder* folder, SHCONTF flags) {
  ComPtr<IEnumIDList> enumerator;
  EXPECT_EQ(folder->EnumObjects(nullptr, flags, enumerator), S_OK);
  std::vector<IdList> items;
  IdList item;
  ULONG fetched = 0;
  while (enumerator && enumerator->Next(1, &item, &fetched) == S_OK) items.push_back(std::move(item));
  return items;
}

std::vector<std::string> Names(IShellFolder* folder, SHCONTF flags) {
  std::vector<std::string> names;
  for (const IdList& item : Items(folder, flags)) names.push_back(NameOf(folder, item.get(), SHGDN_INFOLDER));
  return names;
}

SFGAOF AttributesOf(IShellFolder* folder, PCUIDLIST item, SFGAOF asked) {
  SFGAOF mask = asked;
  EXPECT_EQ(folder->GetAttributesOf(1, &item, &mask), S_OK);
  return mask;
}

IdList ChildNamed(IShellFolder* folder, const std::string& name) {
  for (IdList& item : Items(folder, SHCONTF_FOLDERS | SHCONTF_NONFOLDERS | SHCONTF_INCLUDEHIDDEN))
    if (NameOf(folder, item.get(), SHGDN_INFOLDER) == name) return std::move(item);
  ADD_FAILURE() << "no item " << name;
  return nullptr;
}

TEST(ShellNamespace, DesktopListsHomeAndComputerThenTheDesktopDirectory) {
  ShellSandbox sandbox;
  MakeFile(sandbox.Desktop() + "/note.kvx");
  MakeFolder(sandbox.Desktop() + "/logos");
  const auto desktop = Desktop();

  std::vector<std::string> names = Names(desktop.Get(), SHCONTF_FOLDERS | SHCONTF_NONFOLDERS);
  ASSERT_EQ(names.size(), 4u);
  EXPECT_EQ(names[0], "Home");
  EXPECT_EQ(names[1], "Computer");
  std::sort(names.begin() + 2, names.end());
  EXPECT_EQ(names[2], "logos");
  EXPECT_EQ(names[3], "note.kvx");
  EXPECT_EQ(Names(desktop.Get(), SHCONTF_NONFOLDERS), std::vector<std::string>{"note.kvx"});

  const auto items = Items(desktop.Get(), SHCONTF_FOLDERS);
  ASSERT_EQ(items.size(), 3u);
  EXPECT_EQ(NameOf(desktop.Get(), items[0].get(), SHGDN_FORPARSING), sandbox.Home());
  EXPECT_EQ(NameOf(desktop.Get(), items[1].get(), SHGDN_FORPARSING), "/");
  EXPECT_EQ(NameOf(desktop.Get(), items[2].get(), SHGDN_FORPARSING), sandbox.Desktop() + "/logos");
}

TEST(ShellNamespace, DesktopWithoutDirectoryHasOnlyVirtualFoldersAndAClassPath) {
  ShellSandbox sandbox(false);
  const auto desktop = Desktop();
  EXPECT_EQ(Names(desktop.Get(), SHCONTF_FOLDERS | SHCONTF_NONFOLDERS),
            (std::vector<std::string>{"Home", "Computer"}));
  const IdList empty = AllocateIdList(2);
  UINT form = 0;
  EXPECT_EQ(NameOf(desktop.Get(), empty.get(), SHGDN_FORPARSING, &form), "::{00021400-0000-0000-C000-000000000046}");
  EXPECT_EQ(form, STRRET_WSTR);
  EXPECT_EQ(NameOf(desktop.Get(), empty.get(), SHGDN_NORMAL), "Desktop");
  EXPECT_EQ(AttributesOf(desktop.Get(), empty.get(), SFGAO_FILESYSTEM | SFGAO_FOLDER), SFGAO_FOLDER);
}

TEST(ShellNamespace, EnumerationFiltersFoldersFilesAndHiddenEntriesInDirectoryOrder) {
  ShellSandbox sandbox;
  const std::string dir = sandbox.Work();
  MakeFile(dir + "/b.kvx");
  MakeFile(dir + "/.hidden");
  MakeFolder(dir + "/sub");
  MakeFolder(dir + "/.config");
  ASSERT_EQ(::symlink("sub", (dir + "/to-sub").c_str()), 0);
  ASSERT_EQ(::symlink("missing", (dir + "/dangling").c_str()), 0);
  const auto folder = FolderAt(dir);

  auto sorted = [](std::vector<std::string> v) {
    std::sort(v.begin(), v.end());
    return v;
  };
  EXPECT_EQ(sorted(Names(folder.Get(), SHCONTF_NONFOLDERS)), (std::vector<std::string>{"b.kvx", "dangling"}));
  EXPECT_EQ(sorted(Names(folder.Get(), SHCONTF_FOLDERS)), (std::vector<std::string>{"sub", "to-sub"}));
  EXPECT_EQ(sorted(Names(folder.Get(), SHCONTF_FOLDERS | SHCONTF_INCLUDEHIDDEN)),
            (std::vector<std::string>{".config", "sub", "to-sub"}));
  EXPECT_EQ(Names(folder.Get(), SHCONTF_FOLDERS | SHCONTF_NONFOLDERS | SHCONTF_INCLUDEHIDDEN).size(), 6u);

  // The directory's own order, as readdir gives it.
  std::vector<std::string> order;
  for (const auto& entry : std::filesystem::directory_iterator(dir))
    if (entry.path().filename().string()[0] != '.') order.push_back(entry.path().filename().string());
  EXPECT_EQ(Names(folder.Get(), SHCONTF_FOLDERS | SHCONTF_NONFOLDERS), order);

  // A folder that went away cannot be enumerated.
  ComPtr<IEnumIDList> enumerator;
  ComPtr<IShellFolder2> gone = FolderAt(dir + "/sub");
  std::filesystem::remove(dir + "/sub");
  EXPECT_TRUE(Failed(gone->EnumObjects(nullptr, SHCONTF_NONFOLDERS, enumerator)));
}

TEST(ShellNamespace, ParsingAPathGoesThroughComputer) {
  ShellSandbox sandbox;
  MakeFolder(sandbox.Work() + "/logos");
  MakeFile(sandbox.Work() + "/logos/a.kvx");
  const auto desktop = Desktop();

  const IdList list = ParsePath(sandbox.Work() + "/logos/a.kvx");
  const std::string work = sandbox.Work();
  const size_t parts = std::count(work.begin(), work.end(), '/') + 2;
  EXPECT_EQ(IdListCount(list.get()), parts + 1);  // Computer, then one ID per part
  ids::IdView first;
  ASSERT_TRUE(ids::ReadFirstId(list.get(), first));
  EXPECT_EQ(first.kind, ids::Kind::Computer);
  EXPECT_EQ(NameOf(desktop.Get(), list.get(), SHGDN_FORPARSING), sandbox.Work() + "/logos/a.kvx");

  const IdList withSlash = ParsePath(sandbox.Work() + "/logos/");
  EXPECT_EQ(NameOf(desktop.Get(), withSlash.get(), SHGDN_FORPARSING), sandbox.Work() + "/logos");
  const IdList dotted = ParsePath(sandbox.Work() + "/./logos/../logos/a.kvx");
  EXPECT_EQ(desktop->CompareIDs(0, dotted.get(), list.get()), S_OK);
  const IdList root = ParsePath("/");
  EXPECT_EQ(IdListCount(root.get()), 1u);
  EXPECT_EQ(NameOf(desktop.Get(), root.get(), SHGDN_FORPARSING), "/");

  for (const std::string& bad : {std::string(""), std::string("relative/path"), sandbox.Work() + "/missing",
                                sandbox.Work() + "/logos/a.kvx/"}) {
    IdList none;
    EXPECT_TRUE(Failed(desktop->ParseDisplayName(nullptr, nullptr, WideFromBytes(bad), nullptr, none, nullptr)))
        << bad;
    EXPECT_FALSE(none);
  }
}

// ".." goes where the kernel goes: from a symlink to the parent of the
// folder it leads to, from a file nowhere. A folder's own parse stays in it.
TEST(ShellNamespace, DotDotIsResolvedByTheFileSystem) {
  ShellSandbox sandbox;
  const std::string w = sandbox.Work();
  const std::string real = std::filesystem::canonical(w).string();
  MakeFolder(w + "/real/sub");
  MakeFile(w + "/file.kvx");
  ASSERT_EQ(::symlink("real/sub", (w + "/lnk").c_str()), 0);
  const auto desktop = Desktop();
  auto parse = [](IShellFolder* folder, const std::string& text, IdList& list) {
    return folder->ParseDisplayName(nullptr, nullptr, WideFromBytes(text), nullptr, list, nullptr);
  };
  IdList list;
  ASSERT_EQ(parse(desktop.Get(), w + "/lnk/..", list), S_OK);
  EXPECT_EQ(NameOf(desktop.Get(), list.get(), SHGDN_FORPARSING), real + "/real");
  ASSERT_EQ(parse(desktop.Get(), w + "/lnk/../sub/../..", list), S_OK);
  EXPECT_EQ(NameOf(desktop.Get(), list.get(), SHGDN_FORPARSING), real);
  ASSERT_EQ(parse(desktop.Get(), w + "/real/sub/../..", list), S_OK);
  EXPECT_EQ(NameOf(desktop.Get(), list.get(), SHGDN_FORPARSING), w);
  ASSERT_EQ(parse(desktop.Get(), "/..", list), S_OK);
  EXPECT_EQ(NameOf(desktop.Get(), list.get(), SHGDN_FORPARSING), "/");
  for (const char* after : {"/..", "/.", "/../file.kvx"})
    EXPECT_EQ(parse(desktop.Get(), w + "/file.kvx" + after, list), HResultFromErrno(ENOTDIR)) << after;

  const auto folder = FolderAt(w);
  ASSERT_EQ(parse(folder.Get(), "lnk/..", list), S_OK);
  EXPECT_EQ(NameOf(folder.Get(), list.get(), SHGDN_FORPARSING), w + "/real");
  for (const char* outside : {"..", "../work/file.kvx", "real/../..", "lnk/../.."})
    EXPECT_TRUE(Failed(parse(folder.Get(), outside, list))) << outside;
}

TEST(ShellNamespace, NamesComeInAllThreeForms) {
  ShellSandbox sandbox;
  MakeFolder(sandbox.Work() + "/logos");
  MakeFile(sandbox.Work() + "/logos/a.kvx");
  const auto work = FolderAt(sandbox.Work());
  const IdList logos = ChildNamed(work.Get(), "logos");

  UINT form = 0;
  EXPECT_EQ(NameOf(work.Get(), logos.get(), SHGDN_INFOLDER, &form), "logos");
  EXPECT_EQ(form, STRRET_OFFSET);
  EXPECT_EQ(NameOf(work.Get(), logos.get(), SHGDN_FORPARSING, &form), sandbox.Work() + "/logos");
  EXPECT_EQ(form, STRRET_CSTR);

  // A two-level list: the name cannot be an offset into its first ID.
  IdList twoLevels;
  ASSERT_EQ(work->ParseDisplayName(nullptr, nullptr, L"logos/a.kvx", nullptr, twoLevels, nullptr), S_OK);
  EXPECT_EQ(NameOf(work.Get(), twoLevels.get(), SHGDN_INFOLDER, &form), "a.kvx");
  EXPECT_EQ(form, STRRET_CSTR);

  const auto desktop = Desktop();
  const IdList home = ChildNamed(desktop.Get(), "Home");
  EXPECT_EQ(NameOf(desktop.Get(), home.get(), SHGDN_NORMAL, &form), "Home");
  EXPECT_EQ(form, STRRET_WSTR);
}

TEST(ShellNamespace, AttributesComeFromTheFileSystem) {
  ShellSandbox sandbox;
  const std::string dir = sandbox.Work();
  MakeFile(dir + "/plain.kvx");
  MakeFile(dir + "/.secret");
  MakeFile(dir + "/locked.kvx");
  ASSERT_EQ(::chmod((dir + "/locked.kvx").c_str(), 0444), 0);
  MakeFolder(dir + "/sub");
  ASSERT_EQ(::symlink("sub", (dir + "/link").c_str()), 0);
  const auto folder = FolderAt(dir);

  const SFGAOF all = 0;
  const SFGAOF file = AttributesOf(folder.Get(), ChildNamed(folder.Get(), "plain.kvx").get(), all);
  EXPECT_EQ(file & (SFGAO_FOLDER | SFGAO_HIDDEN | SFGAO_READONLY | SFGAO_LINK), 0u);
  EXPECT_EQ(file & (SFGAO_FILESYSTEM | SFGAO_CANCOPY | SFGAO_CANMOVE | SFGAO_CANDELETE | SFGAO_CANRENAME |
                    SFGAO_HASPROPSHEET),
            SFGAO_FILESYSTEM | SFGAO_CANCOPY | SFGAO_CANMOVE | SFGAO_CANDELETE | SFGAO_CANRENAME |
                SFGAO_HASPROPSHEET);
  EXPECT_TRUE(AttributesOf(folder.Get(), ChildNamed(folder.Get(), ".secret").get(), all) & SFGAO_HIDDEN);
  EXPECT_TRUE(AttributesOf(folder.Get(), ChildNamed(folder.Get(), "locked.kvx").get(), all) & SFGAO_READONLY);
  const SFGAOF sub = AttributesOf(folder.Get(), ChildNamed(folder.Get(), "sub").get(), all);
  EXPECT_EQ(sub & (SFGAO_FOLDER | SFGAO_HASSUBFOLDER | SFGAO_FILESYSANCESTOR | SFGAO_DROPTARGET),
            SFGAO_FOLDER | SFGAO_HASSUBFOLDER | SFGAO_FILESYSANCESTOR | SFGAO_DROPTARGET);
  const SFGAOF link = AttributesOf(folder.Get(), ChildNamed(folder.Get(), "link").get(), all);
  EXPECT_EQ(link & (SFGAO_LINK | SFGAO_FOLDER), SFGAO_LINK | SFGAO_FOLDER);
  // Only what was asked comes back.
  EXPECT_EQ(AttributesOf(folder.Get(), ChildNamed(folder.Get(), "sub").get(), SFGAO_FOLDER | SFGAO_READONLY),
            SFGAO_FOLDER);

  const auto desktop = Desktop();
  const SFGAOF computer = AttributesOf(desktop.Get(), ChildNamed(desktop.Get(), "Computer").get(), all);
  EXPECT_TRUE(computer & SFGAO_FOLDER);
  EXPECT_EQ(computer & (SFGAO_CANRENAME | SFGAO_CANDELETE | SFGAO_CANMOVE), 0u);
}

TEST(ShellNamespace, ItemsOfAFolderThatCannotBeWrittenCannotBeRenamed) {
  ShellSandbox sandbox;
  MakeFile(sandbox.Work() + "/a.kvx");
  ASSERT_EQ(::chmod(sandbox.Root().c_str(), 0755), 0);
  ASSERT_EQ(::chmod(sandbox.Work().c_str(), 0555), 0);
  const auto check = [&] {
    const auto folder = FolderAt(sandbox.Work());
    const IdList item = ChildNamed(folder.Get(), "a.kvx");
    const SFGAOF mask = AttributesOf(folder.Get(), item.get(), SFGAO_CAPABILITYMASK);
    return (mask & (SFGAO_CANRENAME | SFGAO_CANDELETE | SFGAO_CANMOVE)) == 0 && (mask & SFGAO_CANCOPY);
  };
  if (::geteuid() != 0) {
    EXPECT_TRUE(check());
    return;
  }
  // Root may write into any folder: look as an ordinary user. That is done
  // in a child, so that the death test's process, still root, can remove
  // the sandbox it made before it exits.
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        const pid_t child = ::fork();
        if (child == 0) {
          if (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0) std::_Exit(2);
          std::_Exit(check() ? 0 : 1);
        }
        int status = 0;
        const bool ended = child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status);
        std::filesystem::remove_all(sandbox.Root());
        std::_Exit(ended ? WEXITSTATUS(status) : 3);
      },
      ::testing::ExitedWithCode(0), "");
}

TEST(ShellNamespace, NamesSortAsPeopleExpectWithFoldersFirst) {
  ShellSandbox sandbox;
  const std::string dir = sandbox.Work();
  for (const char* name : {"logo10.kvx", "Logo2.kvx", "logo1.kvx", "b.kvx", "A.kvx", "logo02.kvx"})
    MakeFile(dir + "/" + name);
  MakeFolder(dir + "/zeta");
  const auto folder = FolderAt(dir);
  std::vector<IdList> items = Items(folder.Get(), SHCONTF_FOLDERS | SHCONTF_NONFOLDERS);
  std::sort(items.begin(), items.end(), [&](const IdList& a, const IdList& b) {
    return ShortFromResult(folder->CompareIDs(0, a.get(), b.get())) < 0;
  });
  std::vector<std::string> names;
  for (const IdList& item : items) names.push_back(NameOf(folder.Get(), item.get(), SHGDN_INFOLDER));
  // "Logo2" and "logo02" are equal to a person; the bytes put "L" first.
  EXPECT_EQ(names, (std::vector<std::string>{"zeta", "A.kvx", "b.kvx", "logo1.kvx", "Logo2.kvx", "logo02.kvx",
                                             "logo10.kvx"}));
  // Equal only for the same item; the sign turns with the arguments.
  EXPECT_EQ(folder->CompareIDs(0, items[1].get(), items[1].get()), S_OK);
  EXPECT_GT(ShortFromResult(folder->CompareIDs(0, items[2].get(), items[1].get())), 0);
  EXPECT_LT(ShortFromResult(folder->CompareIDs(0, items[1].get(), items[2].get())), 0);
}

TEST(ShellNamespace, OtherColumnsSortBySizeTypeAndTime) {
  ShellSandbox sandbox;
  const std::string dir = sandbox.Work();
  MakeFile(dir + "/big.bmp", 300);
  MakeFile(dir + "/small.kvx", 10);
  MakeFolder(dir + "/folder");
  timespec times[2] = {{0, UTIME_OMIT}, {1000000, 0}};
  ASSERT_EQ(::utimensat(AT_FDCWD, (dir + "/big.bmp").c_str(), times, 0), 0);
  const auto folder = FolderAt(dir);
  const IdList big = ChildNamed(folder.Get(), "big.bmp");
  const IdList small = ChildNamed(folder.Get(), "small.kvx");
  const IdList sub = ChildNamed(folder.Get(), "folder");
  auto compare = [&](int column, const IdList& a, const IdList& b) {
    return ShortFromResult(folder->CompareIDs(column, a.get(), b.get()));
  };
  EXPECT_LT(compare(0, big, small), 0);
  EXPECT_GT(compare(1, big, small), 0);
  EXPECT_LT(compare(2, big, small), 0);  // ".bmp" before ".kvx"
  EXPECT_LT(compare(3, big, small), 0);  // 1970 before now
  for (int column = 0; column < 4; ++column) EXPECT_LT(compare(column, sub, big), 0) << column;
}

TEST(ShellNamespace, TheSameItemByTwoRoutesComparesEqual) {
  ShellSandbox sandbox;
  MakeFolder(sandbox.Home() + "/logos");
  MakeFile(sandbox.Desktop() + "/x.kvx");
  const auto desktop = Desktop();
  // Home/logos, built from the desktop's own items.
  const IdList home = ChildNamed(desktop.Get(), "Home");
  ComPtr<IShellFolder> homeFolder;
  ASSERT_EQ(desktop->BindToObject(home.get(), nullptr, IID_IShellFolder, homeFolder.PutVoid()), S_OK);
  const IdList logos = ChildNamed(homeFolder.Get(), "logos");
  std::vector<uint8_t> bytes(IdBytes(home.get()), IdBytes(home.get()) + IdListByteSize(home.get()) - 2);
  bytes.insert(bytes.end(), IdBytes(logos.get()), IdBytes(logos.get()) + IdListByteSize(logos.get()));
  const PCUIDLIST viaHome = reinterpret_cast<PCUIDLIST>(bytes.data());

  const IdList viaComputer = ParsePath(sandbox.Home() + "/logos");
  EXPECT_EQ(desktop->CompareIDs(0, viaHome, viaComputer.get()), S_OK);
  const IdList onDesktop = ChildNamed(desktop.Get(), "x.kvx");
  EXPECT_EQ(desktop->CompareIDs(0, onDesktop.get(), ParsePath(sandbox.Desktop() + "/x.kvx").get()), S_OK);
  EXPECT_NE(desktop->CompareIDs(0, viaComputer.get(), ParsePath(sandbox.Home()).get()), S_OK);
}

TEST(ShellNamespace, HomeIsTheSameItemHoweverHomeIsSpelled) {
  ShellSandbox sandbox;
  const auto desktop = Desktop();
  const IdList viaComputer = ParsePath(sandbox.Home());
  for (const std::string& spelling : {sandbox.Home() + "/", sandbox.Home() + "/./", sandbox.Home() + "//."}) {
    ::setenv("HOME", spelling.c_str(), 1);
    RefreshUserFolders();
    const IdList home = ChildNamed(desktop.Get(), "Home");
    EXPECT_EQ(desktop->CompareIDs(0, home.get(), viaComputer.get()), S_OK) << spelling;
    EXPECT_EQ(NameOf(desktop.Get(), home.get(), SHGDN_FORPARSING), sandbox.Home()) << spelling;
  }
  for (const char* root : {"/", "/.", "//"}) {
    ::setenv("HOME", root, 1);
    RefreshUserFolders();
    EXPECT_EQ(desktop->CompareIDs(0, ChildNamed(desktop.Get(), "Home").get(),
                                  ChildNamed(desktop.Get(), "Computer").get()),
              S_OK)
        << root;
  }
}

TEST(ShellNamespace, SetNameOfRenamesOnDiskAndRefusesClashes) {
  ShellSandbox sandbox;
  const std::string dir = sandbox.Work();
  MakeFile(dir + "/old.kvx", 5);
  MakeFile(dir + "/taken.kvx");
  const auto folder = FolderAt(dir);
  const IdList old = ChildNamed(folder.Get(), "old.kvx");

  for (const wchar_t* bad : {L"taken.kvx", L"a/b", L"..", L""}) {
    IdList none;
    EXPECT_TRUE(Failed(folder->SetNameOf(nullptr, old.get(), bad, SHGDN_NORMAL, &none)));
    EXPECT_FALSE(none);
  }
  EXPECT_TRUE(FileExists(dir + "/old.kvx"));
  EXPECT_EQ(ReadFile(dir + "/taken.kvx").size(), 0u);

  IdList renamed;
  ASSERT_EQ(folder->SetNameOf(nullptr, old.get(), L"new.kvx", SHGDN_NORMAL, &renamed), S_OK);
  EXPECT_FALSE(FileExists(dir + "/old.kvx"));
  EXPECT_EQ(ReadFile(dir + "/new.kvx").size(), 5u);
  EXPECT_EQ(NameOf(folder.Get(), renamed.get(), SHGDN_INFOLDER), "new.kvx");

  // A list of several IDs comes back as the same path with the new name.
  MakeFolder(dir + "/sub");
  MakeFile(dir + "/sub/deep.kvx");
  IdList deep;
  ASSERT_EQ(folder->ParseDisplayName(nullptr, nullptr, L"sub/deep.kvx", nullptr, deep, nullptr), S_OK);
  IdList deepRenamed;
  ASSERT_EQ(folder->SetNameOf(nullptr, deep.get(), L"deeper.kvx", SHGDN_NORMAL, &deepRenamed), S_OK);
  EXPECT_EQ(NameOf(folder.Get(), deepRenamed.get(), SHGDN_FORPARSING), dir + "/sub/deeper.kvx");
}

TEST(ShellNamespace, FileFoldersGiveDetailColumns) {
  ShellSandbox sandbox;
  MakeFile(sandbox.Work() + "/a.kvx", 3008);
  ASSERT_EQ(::chmod((sandbox.Work() + "/a.kvx").c_str(), 0644), 0);
  MakeFolder(sandbox.Work() + "/sub");
  const auto folder = FolderAt(sandbox.Work());

  std::vector<std::string> headings;
  std::vector<bool> onByDefault;
  for (UINT column = 0;; ++column) {
    SHELLDETAILS details;
    if (Failed(folder->GetDetailsOf(nullptr, column, &details))) break;
    headings.push_back(Text(details.str, nullptr));
    SHCOLSTATEF state = 0;
    ASSERT_EQ(folder->GetDefaultColumnState(column, &state), S_OK);
    onByDefault.push_back(state & SHCOLSTATE_ONBYDEFAULT);
  }
  EXPECT_EQ(headings, (std::vector<std::string>{"Name", "Size", "Type", "Date modified", "Permissions"}));
  EXPECT_EQ(onByDefault, (std::vector<bool>{true, true, true, true, false}));

  const IdList file = ChildNamed(folder.Get(), "a.kvx");
  auto text = [&](PCUIDLIST item, UINT column) {
    SHELLDETAILS details;
    EXPECT_EQ(folder->GetDetailsOf(item, column, &details), S_OK);
    return Text(details.str, item);
  };
  EXPECT_EQ(text(file.get(), 0), "a.kvx");
  EXPECT_EQ(text(file.get(), 1), "3008");
  EXPECT_EQ(text(file.get(), 2), "KVX file");
  EXPECT_FALSE(text(file.get(), 3).empty());
  EXPECT_EQ(text(file.get(), 4), "-rw-r--r--");
  const IdList sub = ChildNamed(folder.Get(), "sub");
  EXPECT_EQ(text(sub.get(), 1), "");
  EXPECT_EQ(text(sub.get(), 2), "Folder");
  SHELLDETAILS past;
  EXPECT_TRUE(Failed(folder->GetDetailsOf(file.get(), 5, &past)));
}

TEST(ShellNamespace, SpecialFoldersMapToTheUsersFolders) {
  ShellSandbox sandbox;
  const auto desktop = Desktop();
  auto pathOf = [&](int csidl) -> std::string {
    IdList list;
    if (SHGetSpecialFolderLocation(nullptr, csidl, list) != S_OK) return "(fails)";
    return NameOf(desktop.Get(), list.get(), SHGDN_FORPARSING);
  };
  EXPECT_EQ(pathOf(CSIDL_DESKTOP), sandbox.Desktop());
  EXPECT_EQ(pathOf(CSIDL_DRIVES), "/");
  EXPECT_EQ(pathOf(CSIDL_DESKTOPDIRECTORY), sandbox.Desktop());
  EXPECT_EQ(pathOf(CSIDL_APPDATA), sandbox.ConfigHome());
  EXPECT_EQ(pathOf(CSIDL_PERSONAL), "(fails)");  // no ~/Documents yet
  MakeFolder(sandbox.Home() + "/Documents");
  EXPECT_EQ(pathOf(CSIDL_PERSONAL), sandbox.Home() + "/Documents");
  MakeFolder(sandbox.DataHome() + "/fonts");
  EXPECT_EQ(pathOf(CSIDL_FONTS), sandbox.DataHome() + "/fonts");
  for (int none : {CSIDL_INTERNET, CSIDL_CONTROLS, CSIDL_PRINTERS, CSIDL_NETWORK, CSIDL_PRINTHOOD})
    EXPECT_EQ(pathOf(none), "(fails)") << none;

  // The user-dirs file names the folders when the environment does not.
  ::unsetenv("XDG_DESKTOP_DIR");
  MakeFolder(sandbox.Home() + "/Schreibtisch");
  WriteFile(sandbox.ConfigHome() + "/user-dirs.dirs",
            Bytes{'X', 'D', 'G', '_', 'D', 'E', 'S', 'K', 'T', 'O', 'P', '_', 'D', 'I', 'R', '=', '"', '$', 'H', 'O',
                  'M', 'E', '/', 'S', 'c', 'h', 'r', 'e', 'i', 'b', 't', 'i', 's', 'c', 'h', '"', '\n'});
  EXPECT_EQ(pathOf(CSIDL_DESKTOPDIRECTORY), sandbox.Desktop());  // read once per root, not per call
  RefreshUserFolders();
  EXPECT_EQ(pathOf(CSIDL_DESKTOPDIRECTORY), sandbox.Home() + "/Schreibtisch");
}

TEST(ShellNamespace, FindFileReportsSizeNameAndAttributes) {
  ShellSandbox sandbox;
  MakeFile(sandbox.Work() + "/.a.kvx", 77);
  WIN32_FIND_DATA data;
  ASSERT_EQ(FindFirstFile(sandbox.Work() + "/.a.kvx", data), 0);
  EXPECT_EQ(data.fileSize, 77u);
  EXPECT_EQ(data.cFileName, ".a.kvx");
  EXPECT_EQ(data.dwFileAttributes, FILE_ATTRIBUTE_HIDDEN);
  ASSERT_EQ(FindFirstFile(sandbox.Work(), data), 0);
  EXPECT_EQ(data.dwFileAttributes, FILE_ATTRIBUTE_DIRECTORY);
  EXPECT_EQ(FindFirstFile(sandbox.Work() + "/missing", data), ENOENT);
}

}  // namespace
}  // namespace lum::test
