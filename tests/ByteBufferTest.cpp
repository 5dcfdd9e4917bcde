#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstring>

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

}  // namespace
}  // namespace lum
