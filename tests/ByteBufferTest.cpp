#include <fcntl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>
#include <memory>

#include <gtest/gtest.h>

#include "base/Errors.h"
#include "codec/ByteBuffer.h"
#include "platform/files/HostFiles.h"
#include "tests/TestSupport.h"

namespace lum {
namespace {

using test::Bytes;
using test::TempDir;

ByteBuffer BufferOf(const Bytes& bytes) {
  ByteBuffer buffer;
  buffer.Write(bytes.data(), static_cast<int64_t>(bytes.size()));
  buffer.Seek(0, SeekOrigin::Begin);
  return buffer;
}

TEST(ByteBuffer, PositionMayLieAnywhereAndReadsThereYieldNothing) {
  ByteBuffer buffer = BufferOf({1, 2, 3, 4});
  uint8_t byte = 0xAA;
  EXPECT_EQ(buffer.Seek(-10, SeekOrigin::Begin), -10);
  EXPECT_EQ(buffer.Read(&byte, 1), 0);
  EXPECT_EQ(byte, 0xAA);
  EXPECT_EQ(buffer.Seek(2, SeekOrigin::End), 6);
  EXPECT_EQ(buffer.Read(&byte, 1), 0);
  EXPECT_EQ(buffer.Seek(-3, SeekOrigin::Current), 3);
  EXPECT_EQ(buffer.Read(&byte, 1), 1);
  EXPECT_EQ(byte, 4);
  buffer.Seek(-5, SeekOrigin::Begin);
  EXPECT_EQ(buffer.Seek(INT64_MIN, SeekOrigin::Current), INT64_MIN);  // saturates, never wraps
  EXPECT_EQ(buffer.Seek(INT64_MAX, SeekOrigin::End), INT64_MAX);
  EXPECT_EQ(buffer.Read(&byte, 1), 0);
}

TEST(ByteBuffer, ReadStopsAtTheEnd) {
  ByteBuffer buffer = BufferOf({1, 2, 3});
  uint8_t bytes[8] = {};
  buffer.Seek(1, SeekOrigin::Begin);
  EXPECT_EQ(buffer.Read(bytes, 8), 2);
  EXPECT_EQ(bytes[0], 2);
  EXPECT_EQ(bytes[1], 3);
  EXPECT_EQ(buffer.Position(), 3);
}

TEST(ByteBuffer, WritePastTheEndGrowsWithZerosAndBeforeTheStartWritesNothing) {
  ByteBuffer buffer;
  const uint8_t byte = 7;
  buffer.Seek(3, SeekOrigin::Begin);
  EXPECT_EQ(buffer.Write(&byte, 1), 1);
  ASSERT_EQ(buffer.Size(), 4);
  EXPECT_EQ(Bytes(buffer.Data(), buffer.Data() + 4), (Bytes{0, 0, 0, 7}));

  buffer.Seek(-1, SeekOrigin::Begin);
  EXPECT_EQ(buffer.Write(&byte, 1), 0);
  EXPECT_EQ(buffer.Size(), 4);

  buffer.Clear();
  EXPECT_EQ(buffer.Size(), 0);
  EXPECT_EQ(buffer.Position(), 0);
}

// The buffer's memory is not cleared when it grows; bytes dropped by a
// shrink must not come back where zeros are promised.
TEST(ByteBuffer, GrownBytesAreZeroAlsoWhereDroppedBytesWere) {
  ByteBuffer buffer = BufferOf({1, 2, 3, 4});
  buffer.SetSize(1);
  buffer.SetSize(4);
  EXPECT_EQ(Bytes(buffer.Data(), buffer.Data() + 4), (Bytes{1, 0, 0, 0}));

  buffer = BufferOf({1, 2, 3, 4});
  buffer.SetSize(0);
  const uint8_t byte = 7;
  buffer.Seek(3, SeekOrigin::Begin);
  buffer.Write(&byte, 1);
  EXPECT_EQ(Bytes(buffer.Data(), buffer.Data() + 4), (Bytes{0, 0, 0, 7}));
}

TEST(ByteBuffer, GrowthBeyondMemoryIsReportedNotFatal) {
  ByteBuffer buffer;
  const uint8_t byte = 1;
  buffer.Seek(INT64_MAX, SeekOrigin::Begin);
  try {
    buffer.Write(&byte, 1);
    FAIL() << "no failure";
  } catch (const EOutOfMemory& failure) {
    EXPECT_STREQ(failure.what(), "Expandieren des Speicher-Stream wegen Speichermangel nicht möglich");
  }
  EXPECT_THROW(buffer.SetSize(int64_t{1} << 61), EOutOfMemory);
  EXPECT_THROW(buffer.SetSizeForOverwrite(int64_t{1} << 61), EOutOfMemory);
  EXPECT_EQ(buffer.Size(), 0);
}

TEST(ByteBuffer, SavesAndLoadsWholeFiles) {
  TempDir dir;
  ByteBuffer buffer = BufferOf({9, 8, 7});
  buffer.SaveToFile(dir / "out.bin", platform::HostFiles());
  EXPECT_EQ(test::ReadFile(dir / "out.bin"), (Bytes{9, 8, 7}));

  test::WriteFile(dir / "in.bin", {1, 2, 3, 4, 5});
  buffer.Seek(2, SeekOrigin::Begin);
  buffer.LoadFromFile(dir / "in.bin", platform::HostFiles());
  EXPECT_EQ(buffer.Size(), 5);
  EXPECT_EQ(buffer.Position(), 0);
  EXPECT_EQ(Bytes(buffer.Data(), buffer.Data() + 5), (Bytes{1, 2, 3, 4, 5}));

  buffer.Clear();
  buffer.SaveToFile(dir / "in.bin", platform::HostFiles());  // overwrites
  EXPECT_TRUE(test::ReadFile(dir / "in.bin").empty());
}

TEST(ByteBuffer, OpenFailuresNameTheFullPathAndTheSystemsReason) {
  TempDir dir;
  test::ScopedWorkingDirectory inDir(dir.Path());
  ByteBuffer buffer;
  try {
    buffer.LoadFromFile("sub/../missing.kvx", platform::HostFiles());
    FAIL() << "no failure";
  } catch (const EFOpenError& failure) {
    EXPECT_EQ(std::string(failure.what()),
              "Datei " + dir.Path() + "/missing.kvx kann nicht geöffnet werden. No such file or directory");
  }
  try {
    buffer.LoadFromFile(dir.Path(), platform::HostFiles());
    FAIL() << "no failure";
  } catch (const EFOpenError& failure) {
    EXPECT_EQ(std::string(failure.what()), "Datei " + dir.Path() + " kann nicht geöffnet werden. Is a directory");
  }
}

TEST(ByteBuffer, SpecialFilesAreRefusedWithoutWaitingOrReading) {
  TempDir dir;
  ASSERT_EQ(::mkfifo((dir / "pipe.kvx").c_str(), 0600), 0);
  ByteBuffer buffer;
  for (const std::string& path : {dir / "pipe.kvx", std::string("/dev/zero"), std::string("/dev/null")}) {
    try {
      buffer.LoadFromFile(path, platform::HostFiles());
      FAIL() << path;
    } catch (const EFOpenError& failure) {
      EXPECT_EQ(std::string(failure.what()), "Datei " + path + " kann nicht geöffnet werden. not a regular file");
    }
  }
}

TEST(ByteBuffer, SaveIntoAMissingFolderCannotCreateTheFile) {
  TempDir dir;
  ByteBuffer buffer = BufferOf({1});
  try {
    buffer.SaveToFile(dir / "no/such.kvx", platform::HostFiles());
    FAIL() << "no failure";
  } catch (const EFCreateError& failure) {
    EXPECT_EQ(std::string(failure.what()),
              "Datei \"" + dir.Path() + "/no/such.kvx\" kann nicht erstellt werden. No such file or directory");
  }
}

TEST(ByteBuffer, SaveOntoAFullDiskReportsIt) {
  TempDir dir;
  ASSERT_EQ(::symlink("/dev/full", (dir / "full.kvx").c_str()), 0);
  ByteBuffer buffer = BufferOf({1, 2, 3});
  try {
    buffer.SaveToFile(dir / "full.kvx", platform::HostFiles());
    FAIL() << "no failure";
  } catch (const EInOutError& failure) {
    EXPECT_STREQ(failure.what(), "Zu wenig Speicherplatz");
    EXPECT_EQ(failure.Code(), 101);
  }
}

// A disk that fills up part way through a save must not cost the user the
// file being replaced, nor leave a temporary file behind.
TEST(ByteBuffer, ASaveThatFailsPartWayLeavesTheOldFileAsItWas) {
  TempDir dir;
  test::WriteFile(dir / "logo.kvx", Bytes(5000, 0xEE));
  const test::FolderSnapshot before = test::SnapshotFolder(dir.Path());
  ByteBuffer buffer = BufferOf(Bytes(3008, 0x11));
  try {
    test::ScopedFileSizeLimit fullAfter(1000);
    buffer.SaveToFile(dir / "logo.kvx", platform::HostFiles());
    FAIL() << "no failure";
  } catch (const EInOutError& failure) {
    EXPECT_STREQ(failure.what(), "Zu wenig Speicherplatz");
  }
  EXPECT_TRUE(test::SnapshotFolder(dir.Path()) == before) << "the old file changed, or a temporary file was left";
  buffer.SaveToFile(dir / "logo.kvx", platform::HostFiles());
  EXPECT_EQ(test::ReadFile(dir / "logo.kvx"), Bytes(3008, 0x11));
}

// A caller that catches a failed write and closes anyway must not take the
// save for done.
TEST(ReplacementFile, CloseAfterAFailedWriteReportsTheFailureAgain) {
  TempDir dir;
  test::WriteFile(dir / "logo.kvx", Bytes(5000, 0xEE));
  const test::FolderSnapshot before = test::SnapshotFolder(dir.Path());
  const Bytes bytes(3008, 0x11);
  const std::unique_ptr<OutputWriter> writer = platform::HostFiles().CreateReplacement(dir / "logo.kvx");
  {
    test::ScopedFileSizeLimit fullAfter(1000);
    EXPECT_THROW(writer->Write(bytes.data(), bytes.size()), EInOutError);
  }
  try {
    writer->Close();
    FAIL() << "the failed save was closed as done";
  } catch (const EInOutError& failure) {
    EXPECT_STREQ(failure.what(), "Zu wenig Speicherplatz");
  }
  EXPECT_TRUE(test::SnapshotFolder(dir.Path()) == before);
}

// Where a save may write a file but not replace it (another user's file in
// /tmp), that user can swap the file for a link to one of ours before the
// save writes it in place: the save refuses the link, and writes nothing.
TEST(ReplacementFile, AFileSwappedForALinkBeforeItIsWrittenInPlaceIsRefused) {
  if (::geteuid() != 0) GTEST_SKIP() << "needs root: the test saves as one user into another user's file";
  constexpr uid_t kUser = 4242;  // the user saving; "nobody" owns the file and swaps it
  struct AsUser {
    explicit AsUser(uid_t user) { EXPECT_EQ(::seteuid(user), 0); }
    ~AsUser() { EXPECT_EQ(::seteuid(0), 0); }
  };
  TempDir dir;
  ASSERT_EQ(::chmod(dir.Path().c_str(), 0755), 0);
  const std::string shared = dir / "shared", name = dir / "shared/a.kvx", precious = dir / "precious";
  ASSERT_EQ(::mkdir(shared.c_str(), 0755), 0);
  ASSERT_EQ(::chmod(shared.c_str(), 01777), 0);
  test::WriteFile(name, Bytes(5000, 0xEE));
  ASSERT_EQ(::chmod(name.c_str(), 0666), 0);
  ASSERT_EQ(::chown(name.c_str(), test::kNobody, test::kNobody), 0);
  test::WriteFile(precious, Bytes(5000, 0xEE));
  ASSERT_EQ(::chown(precious.c_str(), kUser, 0), 0);

  std::unique_ptr<OutputWriter> writer;
  {
    AsUser user(kUser);
    writer = platform::HostFiles().CreateReplacement(name);
    const Bytes bytes(3008, 0x11);
    writer->Write(bytes.data(), bytes.size());
  }
  ASSERT_EQ(::unlink(name.c_str()), 0);
  ASSERT_EQ(::symlink(precious.c_str(), name.c_str()), 0);
  ASSERT_EQ(::lchown(name.c_str(), test::kNobody, test::kNobody), 0);
  {
    AsUser user(kUser);
    try {
      writer->Close();  // the rename is refused here, and the file written in place
      ADD_FAILURE() << "the save went through the link";
    } catch (const EInOutError& failure) {
      EXPECT_EQ(failure.Reason(), std::strerror(EACCES));
    }
  }
  EXPECT_EQ(test::ReadFile(precious), Bytes(5000, 0xEE));
  EXPECT_EQ(test::SnapshotFolder(shared).size(), 1u);  // the link alone: no temporary file left
}

// The temporary name beside a file cannot hold a name as long as names may
// be; such a file is saved all the same.
TEST(ReplacementFile, NamesAsLongAsTheFileSystemAllowsAreSaved) {
  TempDir dir;
  const long nameMax = ::pathconf(dir.Path().c_str(), _PC_NAME_MAX);
  ASSERT_GT(nameMax, 4);
  const std::string name = std::string(static_cast<size_t>(nameMax) - 4, 'n') + ".kvx";
  test::WriteFile(dir / name, Bytes(10, 0xEE));
  BufferOf({1, 2, 3}).SaveToFile(dir / name, platform::HostFiles());
  EXPECT_EQ(test::ReadFile(dir / name), (Bytes{1, 2, 3}));
  EXPECT_EQ(test::SnapshotFolder(dir.Path()).size(), 1u);
}

// The same on a real file system that is full: a 64 KiB tmpfs, where the
// test may mount one (as root, not in every container).
TEST(ByteBuffer, ASaveOntoAFullFileSystemLeavesTheOldFileAsItWas) {
  TempDir dir;
  const std::string disk = dir / "disk";
  ASSERT_EQ(::mkdir(disk.c_str(), 0755), 0);
  if (::mount("lumtest", disk.c_str(), "tmpfs", MS_NOSUID | MS_NODEV, "size=64k") != 0) {
    GTEST_SKIP() << "cannot mount a small file system here: " << std::strerror(errno);
  }
  struct Unmount {
    std::string path;
    ~Unmount() { ::umount2(path.c_str(), MNT_DETACH); }
  } unmount{disk};
  test::WriteFile(disk + "/logo.kvx", Bytes(20000, 0xEE));
  {  // fill the disk, then give back room for part of the new file
    const int fd = ::open((disk + "/filler").c_str(), O_WRONLY | O_CREAT, 0644);
    ASSERT_GE(fd, 0);
    const Bytes block(4096, 0);
    while (::write(fd, block.data(), block.size()) > 0) {
    }
    ::close(fd);
    struct stat filler {};
    ASSERT_EQ(::stat((disk + "/filler").c_str(), &filler), 0);
    ASSERT_EQ(::truncate((disk + "/filler").c_str(), filler.st_size - 8192), 0);
  }
  const test::FolderSnapshot before = test::SnapshotFolder(disk);
  ByteBuffer buffer = BufferOf(Bytes(30000, 0x11));
  try {
    buffer.SaveToFile(disk + "/logo.kvx", platform::HostFiles());
    FAIL() << "no failure";
  } catch (const EInOutError& failure) {
    EXPECT_STREQ(failure.what(), "Zu wenig Speicherplatz");
  }
  EXPECT_TRUE(test::SnapshotFolder(disk) == before) << "the old file changed, or a temporary file was left";
}

// A save replaces the file a symlinked name points to, and the new file
// keeps the old one's permission bits, owner and group; a new name gets
// 0666 less the umask.
TEST(ByteBuffer, ASaveKeepsTheSymlinkTheModeTheOwnerAndTheGroup) {
  TempDir dir;
  test::WriteFile(dir / "target.kvx", Bytes(10, 0xEE));
  ASSERT_EQ(::chmod((dir / "target.kvx").c_str(), 0640), 0);
  const bool root = ::geteuid() == 0;
  if (root) {
    ASSERT_EQ(::chown((dir / "target.kvx").c_str(), test::kNobody, test::kNobody), 0);
  }
  ASSERT_EQ(::symlink("target.kvx", (dir / "link.kvx").c_str()), 0);

  const ByteBuffer buffer = BufferOf({1, 2, 3});
  buffer.SaveToFile(dir / "link.kvx", platform::HostFiles());
  struct stat link {};
  ASSERT_EQ(::lstat((dir / "link.kvx").c_str(), &link), 0);
  EXPECT_TRUE(S_ISLNK(link.st_mode));
  EXPECT_EQ(test::ReadFile(dir / "target.kvx"), (Bytes{1, 2, 3}));
  struct stat target {};
  ASSERT_EQ(::stat((dir / "target.kvx").c_str(), &target), 0);
  EXPECT_EQ(target.st_mode & 07777, 0640u);
  if (root) {
    EXPECT_EQ(target.st_uid, test::kNobody);
    EXPECT_EQ(target.st_gid, test::kNobody);
  }

  const mode_t umask = ::umask(022);
  buffer.SaveToFile(dir / "new.kvx", platform::HostFiles());
  ::umask(umask);
  struct stat created {};
  ASSERT_EQ(::stat((dir / "new.kvx").c_str(), &created), 0);
  EXPECT_EQ(created.st_mode & 07777, 0644u);
  EXPECT_EQ(test::SnapshotFolder(dir.Path()).size(), 3u);  // no temporary file left
}

}  // namespace
}  // namespace lum
