// lumbatch against hostile folders: malformed logos, special files,
// unwritable places and odd names. Every case checks the exact console
// lines and exit status, and that the folder afterwards holds what it held
// before plus exactly the expected outputs, inputs byte-identical.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "tests/TestSupport.h"

namespace lum {
namespace {

using test::Bytes;
using test::LogoBytes;

const std::string kBanner = "lumbatch - converts KVX and HZN logo files to 24-bit BMP files";

Bytes Kvx() { return test::LogoBytesOf(50, 30, [](int x, int y) { return 0x8000 | x << 5 | y; }); }

// A 3008-byte file whose header says something else.
Bytes KvxSizedWithHeader(int32_t width, int32_t height) {
  Bytes bytes = LogoBytes(width, height, {});
  bytes.resize(3008, 0x80);
  return bytes;
}

class LumBatchHostileTest : public ::testing::Test {
 protected:
  void Write(const std::string& name, const Bytes& bytes) { test::WriteFile(dir_ / name, bytes); }

  // Runs lumbatch and checks everything; `created` gives the size of each
  // file the run must leave behind that was not there before.
  void Expect(const std::vector<std::string>& arguments, const std::vector<std::string>& lines, int exitStatus,
              const std::map<std::string, size_t>& created = {}, test::RunOptions options = {}) {
    const test::FolderSnapshot before = test::SnapshotFolder(dir_.Path());
    const auto result = test::RunProgram(LUMBATCH_PATH, arguments, dir_.Path(), options);
    ASSERT_FALSE(result.timedOut) << "lumbatch hung";
    std::vector<std::string> expectedLines = {kBanner, ""};
    expectedLines.insert(expectedLines.end(), lines.begin(), lines.end());
    EXPECT_EQ(test::Lines(result.output), expectedLines);
    EXPECT_EQ(result.exitStatus, exitStatus);

    test::FolderSnapshot after = test::SnapshotFolder(dir_.Path());
    for (const auto& [name, size] : created) {
      ASSERT_TRUE(test::FileExists(dir_ / name)) << name;
      EXPECT_EQ(test::ReadFile(dir_ / name).size(), size) << name;
      after.erase(name);
    }
    EXPECT_EQ(after, before) << "the run changed the folder beyond its outputs";
  }
  std::string FullPath(const std::string& name) const { return dir_ / name; }

  test::TempDir dir_;
};

TEST_F(LumBatchHostileTest, TruncatedLogoIsRefused) {
  Bytes bytes = Kvx();
  bytes.resize(1000);
  Write("t.kvx", bytes);
  Expect({"t.kvx", "/i"}, {"Logo file too short for 50 x 30 pixels: 1000 bytes  file: t.kvx"}, 1);
}

TEST_F(LumBatchHostileTest, HeaderClaimingAMillionPixelsInAKvxSizedFileIsRefused) {
  Write("big.kvx", KvxSizedWithHeader(1000, 1000));
  Expect({"*.kvx"}, {"Logo file too short for 1000 x 1000 pixels: 3008 bytes  file: big.kvx"}, 1);
}

TEST_F(LumBatchHostileTest, NegativeAndZeroSizesGiveTheBmpHeaderAlone) {
  Write("a.kvx", LogoBytes(-3, 4, {}));
  Write("b.kvx", LogoBytes(4, -3, {}));
  Write("c.kvx", LogoBytes(0, 0, {}));
  Write("d.kvx", LogoBytes(0, 5, {0x8000}));
  Expect({"*.kvx", "/i"}, {"a.kvx => a.bmp", "b.kvx => b.bmp", "c.kvx => c.bmp", "d.kvx => d.bmp"}, 0,
         {{"a.bmp", 54}, {"b.bmp", 54}, {"c.bmp", 54}, {"d.bmp", 54}});
}

TEST_F(LumBatchHostileTest, WidthTooLargeOverflowsBeforeAnyOutput) {
  Write("w.kvx", KvxSizedWithHeader(1073741825, 30));
  Expect({"w.kvx"}, {"Integerüberlauf  file: w.kvx"}, 1);
}

TEST_F(LumBatchHostileTest, WidthTooNegativeOverflowsBeforeAnyOutput) {
  Write("w.kvx", KvxSizedWithHeader(-1073741824, 30));
  Expect({"w.kvx"}, {"Integerüberlauf  file: w.kvx"}, 1);
}

TEST_F(LumBatchHostileTest, SmallestHeightOverflowsAfterTheHeaderIsWritten) {
  Write("h.kvx", KvxSizedWithHeader(50, INT32_MIN));
  Expect({"h.kvx"}, {"Integerüberlauf  file: h.kvx"}, 1, {{"h.bmp", 54}});
}

TEST_F(LumBatchHostileTest, FolderMatchingTheMaskCannotBeOpened) {
  ASSERT_EQ(::mkdir((dir_ / "d.kvx").c_str(), 0755), 0);
  Expect({"*.kvx", "/i"},
         {"Datei " + FullPath("d.kvx") + " kann nicht geöffnet werden. Is a directory  file: d.kvx"}, 1);
}

TEST_F(LumBatchHostileTest, FifoMatchingTheMaskFailsWithoutWaitingForAWriter) {
  ASSERT_EQ(::mkfifo((dir_ / "p.kvx").c_str(), 0644), 0);
  Expect({"*.kvx", "/i"},
         {"Datei " + FullPath("p.kvx") + " kann nicht geöffnet werden. not a regular file  file: p.kvx"}, 1);
}

TEST_F(LumBatchHostileTest, SymlinkToDevZeroIsNeverRead) {
  ASSERT_EQ(::symlink("/dev/zero", (dir_ / "z.kvx").c_str()), 0);
  Expect({"z.kvx"}, {}, 0);  // size 0: not a KVX candidate
  Expect({"z.kvx", "/i"},
         {"Datei " + FullPath("z.kvx") + " kann nicht geöffnet werden. not a regular file  file: z.kvx"}, 1);
}

TEST_F(LumBatchHostileTest, UnreadableFileIsReportedWithTheSystemsReason) {
  ASSERT_EQ(::chmod(dir_.Path().c_str(), 0777), 0);
  Write("secret.kvx", Kvx());
  ASSERT_EQ(::chmod((dir_ / "secret.kvx").c_str(), 0), 0);
  test::RunOptions asUser;
  asUser.unprivileged = true;
  Expect({"secret.kvx"},
         {"Datei " + FullPath("secret.kvx") + " kann nicht geöffnet werden. Permission denied  file: secret.kvx"}, 1,
         {}, asUser);
}

TEST_F(LumBatchHostileTest, FullDiskIsReportedAndTheRunStops) {
  Write("a.kvx", Kvx());
  Write("b.kvx", Kvx());
  ASSERT_EQ(::symlink("/dev/full", (dir_ / "a.bmp").c_str()), 0);
  Expect({"*.kvx"}, {"Zu wenig Speicherplatz  file: a.kvx"}, 1);
}

TEST_F(LumBatchHostileTest, OutputNameThatIsAFifoIsRefusedWithoutWaitingForAReader) {
  Write("a.kvx", Kvx());
  ASSERT_EQ(::mkfifo((dir_ / "a.bmp").c_str(), 0644), 0);
  Expect({"a.kvx"}, {"Dateizugriff verweigert  file: a.kvx"}, 1);
}

// In a sticky folder that anyone may write (/tmp), another user could plant
// a link under the output's name to a file of the user running lumbatch:
// such a link is not followed, whatever the system's setting says.
TEST_F(LumBatchHostileTest, ALinkPlantedByAnotherUserInASharedStickyFolderIsNotFollowed) {
  if (::geteuid() != 0) GTEST_SKIP() << "needs root: only root can make a symlink that belongs to another user";
  ASSERT_EQ(::mkdir((dir_ / "shared").c_str(), 0755), 0);
  ASSERT_EQ(::chmod((dir_ / "shared").c_str(), 01777), 0);
  Write("precious", Bytes(9000, 0xEE));
  Write("mine", Bytes(9000, 0xEE));
  Write("shared/a.kvx", Kvx());
  Write("shared/b.kvx", Kvx());
  ASSERT_EQ(::symlink(FullPath("precious").c_str(), (dir_ / "shared/a.bmp").c_str()), 0);
  ASSERT_EQ(::lchown((dir_ / "shared/a.bmp").c_str(), test::kNobody, test::kNobody), 0);  // planted by "nobody"
  ASSERT_EQ(::symlink(FullPath("mine").c_str(), (dir_ / "shared/b.bmp").c_str()), 0);
  Expect({"shared/a.kvx"}, {"Dateizugriff verweigert  file: shared/a.kvx"}, 1);
  // Nor a folder link planted there, whatever lies beyond it.
  ASSERT_EQ(::mkdir((dir_ / "elsewhere").c_str(), 0755), 0);
  Write("elsewhere/c.kvx", Kvx());
  Write("elsewhere/c.bmp", Bytes(9000, 0xEE));
  ASSERT_EQ(::symlink("../elsewhere", (dir_ / "shared/d").c_str()), 0);
  ASSERT_EQ(::lchown((dir_ / "shared/d").c_str(), test::kNobody, test::kNobody), 0);
  Expect({"shared/d/c.kvx"}, {"Dateizugriff verweigert  file: shared/d/c.kvx"}, 1);
  EXPECT_EQ(test::ReadFile(FullPath("elsewhere/c.bmp")), Bytes(9000, 0xEE));

  // A link of the user's own is followed there.
  const auto result = test::RunProgram(LUMBATCH_PATH, {"shared/b.kvx"}, dir_.Path());
  EXPECT_EQ(result.exitStatus, 0) << result.output;
  EXPECT_EQ(test::ReadFile(FullPath("mine")).size(), 4614u);
}

// A BMP name that is a link to the logo itself would have the logo
// overwritten by its own picture: the run refuses it and stops there.
TEST_F(LumBatchHostileTest, AnOutputNameThatLeadsToTheLogoItselfIsRefused) {
  Write("a.kvx", Kvx());
  Write("b.kvx", Kvx());
  ASSERT_EQ(::symlink("a.kvx", (dir_ / "a.bmp").c_str()), 0);
  Expect({"*.kvx"},
         {"Datei \"" + FullPath("a.bmp") + "\" kann nicht erstellt werden. it is the file being converted  file: a.kvx"},
         1);
}

TEST_F(LumBatchHostileTest, InputLargerThanTheMemoryAllowedIsReportedNotFatal) {
#if defined(LUM_SANITIZER_RESERVES_ADDRESS_SPACE)
  GTEST_SKIP() << "a sanitizer that reserves address space cannot run under an address-space limit";
#else
  // 64 MiB, sparse: a logo of 32 Mi pixels, which are the file's last bytes.
  const std::string path = dir_ / "huge.kvx";
  Write("huge.kvx", LogoBytes(4096, 8192, {}));
  ASSERT_EQ(::truncate(path.c_str(), 8 + (64 << 20)), 0);
  test::RunOptions limited;
  limited.addressSpaceLimit = 40 << 20;
  Expect({"huge.kvx", "/i"},
         {"Expandieren des Speicher-Stream wegen Speichermangel nicht möglich  file: huge.kvx"}, 1, {}, limited);
#endif
}

// Only the header and the pixels it announces are read: a sparse giant
// whose header says 0 x 0 is converted at once, in little memory.
TEST_F(LumBatchHostileTest, ASparseGiantIsReadNoFurtherThanItsHeadersPixels) {
  constexpr off_t kSize = off_t{2} << 30;
  Write("big.kvx", LogoBytes(0, 0, {}));
  Write("one.kvx", LogoBytes(1, 1, {}));
  for (const char* name : {"big.kvx", "one.kvx"}) ASSERT_EQ(::truncate((dir_ / name).c_str(), kSize), 0);
  {  // the one pixel of one.kvx is its last two bytes
    const int fd = ::open(FullPath("one.kvx").c_str(), O_WRONLY);
    ASSERT_GE(fd, 0);
    EXPECT_EQ(::pwrite(fd, "\xFF\xFF", 2, kSize - 2), 2);
    ::close(fd);
  }
  test::RunOptions limited;
#if !defined(LUM_SANITIZER_RESERVES_ADDRESS_SPACE)
  limited.addressSpaceLimit = 40 << 20;
#endif
  const auto result = test::RunProgram(LUMBATCH_PATH, {"*.kvx", "/i"}, dir_.Path(), limited);
  EXPECT_EQ(test::Lines(result.output),
            (std::vector<std::string>{kBanner, "", "big.kvx => big.bmp", "one.kvx => one.bmp"}));
  EXPECT_EQ(result.exitStatus, 0);
  EXPECT_EQ(test::ReadFile(FullPath("big.bmp")).size(), 54u);
  const Bytes one = test::ReadFile(FullPath("one.bmp"));
  EXPECT_EQ(Bytes(one.begin() + 54, one.end()), (Bytes{0xF8, 0xF8, 0xF8, 0}));
}

// A giant too short for the pixels its header asks for is refused by its
// size, not read whole first.
TEST_F(LumBatchHostileTest, ASparseGiantTooShortForItsPixelsIsRefusedUnread) {
  Write("short.kvx", LogoBytes(100000, 100000, {}));
  ASSERT_EQ(::truncate(FullPath("short.kvx").c_str(), off_t{2} << 30), 0);
  test::RunOptions limited;
#if !defined(LUM_SANITIZER_RESERVES_ADDRESS_SPACE)
  limited.addressSpaceLimit = 40 << 20;
#endif
  Expect({"short.kvx", "/i"}, {"Logo file too short for 100000 x 100000 pixels: 2147483648 bytes  file: short.kvx"},
         1, {}, limited);
}

TEST_F(LumBatchHostileTest, ReadOnlyFolderCannotTakeTheOutput) {
  ASSERT_EQ(::chmod(dir_.Path().c_str(), 0755), 0);
  Write("a.kvx", Kvx());
  if (::geteuid() != 0) {
    ASSERT_EQ(::chmod(dir_.Path().c_str(), 0555), 0);
  }
  test::RunOptions asUser;
  asUser.unprivileged = true;  // as root, a folder of root's is read-only to "nobody"
  Expect({"a.kvx"}, {"Dateizugriff verweigert  file: a.kvx"}, 1, {}, asUser);
}

TEST_F(LumBatchHostileTest, NameThatIsNotUtf8IsConvertedUnderItsRealName) {
  Write("\xC4rger\xFF.kvx", Kvx());
  Expect({"*.kvx"}, {"\xC4rger\xFF.kvx => \xC4rger\xFF.bmp"}, 0, {{"\xC4rger\xFF.bmp", 4614}});
}

TEST_F(LumBatchHostileTest, NameWithBlanksQuotesAndALeadingDashIsTakenLiterally) {
  const std::string name = "-i 'single' \"double\" *.kvx";  // a "*" in a name matches itself too
  Write(name, Kvx());
  Expect({name}, {name + " => -i 'single' \"double\" *.bmp"}, 0, {{"-i 'single' \"double\" *.bmp", 4614}});
}

TEST_F(LumBatchHostileTest, TenThousandFilesAreConvertedInNameOrder) {
  std::vector<std::string> lines;
  std::map<std::string, size_t> created;
  const Bytes logo = Kvx();
  for (int i = 0; i < 10000; ++i) {
    char name[16];
    std::snprintf(name, sizeof name, "l%05d", 9999 - i);
    Write(std::string(name) + ".kvx", logo);
  }
  for (int i = 0; i < 10000; ++i) {
    char name[16];
    std::snprintf(name, sizeof name, "l%05d", i);
    lines.push_back(std::string(name) + ".kvx => " + name + ".bmp");
    created[std::string(name) + ".bmp"] = 4614;
  }
  Expect({"*.kvx"}, lines, 0, created);
}

}  // namespace
}  // namespace lum
