#include <sys/stat.h>

#include <fstream>

#include <gtest/gtest.h>

#include "platform/watch/ChangeHandle.h"
#include "platform/watch/ChangeWait.h"
#include "tests/TestSupport.h"
#include "tests/WatchTestSupport.h"

namespace lum::platform {
namespace {

using test::CreateFolder;
using test::Touch;

// A handle on a folder with its wake signal. Waits are short: the events of
// a change made by this thread are queued before the wait starts, so only a
// broken handle needs the time.
class Watch {
 public:
  Watch(const std::string& folder, bool subTree, uint32_t filter, size_t maxWatches = 64)
      : handle_(ChangeHandle::Open(folder, subTree, filter, maxWatches)), wake_(WakeSignal::Create()) {}

  bool Opened() const { return handle_ != nullptr; }
  ChangeHandle& Handle() { return *handle_; }
  WakeSignal& Wake() { return *wake_; }
  int Watches() const { return test::InotifyWatchCount(handle_->Descriptor()); }

  /// Waits for a change and re-arms the handle.
  bool Changed(int timeoutMs = 2000) {
    const WaitResult result = WaitForChangeOrWake(*handle_, *wake_, timeoutMs);
    handle_->FindNext();
    return result == WaitResult::kChange;
  }
  bool Quiet() { return WaitForChangeOrWake(*handle_, *wake_, 200) == WaitResult::kTimeout; }

 private:
  std::unique_ptr<ChangeHandle> handle_;
  std::unique_ptr<WakeSignal> wake_;
};

TEST(ChangeHandle, GivesNoHandleForWhatIsNoFolderOrForAnEmptyFilter) {
  test::TempDir dir;
  Touch(dir / "file");
  EXPECT_EQ(ChangeHandle::Open(dir / "missing", false, kChangeFileName), nullptr);
  EXPECT_EQ(ChangeHandle::Open(dir / "file", false, kChangeFileName), nullptr);
  EXPECT_EQ(ChangeHandle::Open("", false, kChangeFileName), nullptr);
  EXPECT_EQ(ChangeHandle::Open("::{20D04FE0-3AEA-1069-A2D8-08002B30309D}", true, kChangeFileName), nullptr);
  EXPECT_EQ(ChangeHandle::Open(dir.Path(), false, 0), nullptr);
  EXPECT_EQ(ChangeHandle::Open(dir.Path(), false, 0x200), nullptr);  // no known kind
  EXPECT_NE(ChangeHandle::Open(dir.Path(), false, kChangeFileName), nullptr);

  // A relative name (the desktop's name when it has no folder of its own)
  // is no folder to watch, whatever the current directory holds.
  CreateFolder(dir / "Desktop");
  const test::ScopedWorkingDirectory inside(dir.Path());
  EXPECT_EQ(ChangeHandle::Open("Desktop", true, kChangeFileName), nullptr);
  EXPECT_EQ(ChangeHandle::Open(".", false, kChangeFileName), nullptr);
}

TEST(ChangeHandle, NameFiltersTellFilesFromFolders) {
  test::TempDir dir;
  Watch files(dir.Path(), false, kChangeFileName);
  Watch folders(dir.Path(), false, kChangeDirName);
  CreateFolder(dir / "sub");
  EXPECT_TRUE(folders.Changed());
  EXPECT_TRUE(files.Quiet());
  Touch(dir / "file");
  EXPECT_TRUE(files.Changed());
  EXPECT_TRUE(folders.Quiet());
  test::Rename(dir / "file", dir / "renamed");
  EXPECT_TRUE(files.Changed());
  test::Remove(dir / "renamed");
  EXPECT_TRUE(files.Changed());
  test::Remove(dir / "sub");
  EXPECT_TRUE(folders.Changed());
  EXPECT_TRUE(files.Quiet());
}

TEST(ChangeHandle, WritesAndAttributesSignalOnlyWithTheirFilters) {
  test::TempDir dir;
  Touch(dir / "file");
  Watch names(dir.Path(), false, kChangeFileName | kChangeDirName);
  Watch writes(dir.Path(), false, kChangeLastWrite);
  Watch sizes(dir.Path(), false, kChangeSize);
  Watch attributes(dir.Path(), false, kChangeAttributes);
  Watch security(dir.Path(), false, kChangeSecurity);
  test::WriteFile(dir / "file", {1, 2, 3});
  EXPECT_TRUE(writes.Changed());
  EXPECT_TRUE(sizes.Changed());
  EXPECT_TRUE(names.Quiet());
  EXPECT_TRUE(attributes.Quiet());
  ASSERT_EQ(::chmod((dir / "file").c_str(), 0644), 0);
  EXPECT_TRUE(attributes.Changed());
  EXPECT_TRUE(security.Changed());
  EXPECT_TRUE(names.Quiet());
  EXPECT_TRUE(writes.Quiet());
}

TEST(ChangeHandle, ChangesMadeBeforeFindNextSignalAgain) {
  test::TempDir dir;
  Watch watch(dir.Path(), false, kChangeFileName);
  Touch(dir / "a");
  ASSERT_EQ(WaitForChangeOrWake(watch.Handle(), watch.Wake(), 2000), WaitResult::kChange);
  Touch(dir / "b");  // while the first change is being handled
  watch.Handle().FindNext();
  EXPECT_TRUE(watch.Changed());
  EXPECT_TRUE(watch.Quiet());
}

TEST(ChangeHandle, AChangeReadIsInFlightUntilItIsHandled) {
  test::TempDir dir;
  const int before = ChangeHandle::NoticesInFlight();
  {
    Watch watch(dir.Path(), false, kChangeFileName);
    Touch(dir / "a");
    Touch(dir / "b");
    ASSERT_EQ(WaitForChangeOrWake(watch.Handle(), watch.Wake(), 2000), WaitResult::kChange);
    EXPECT_EQ(ChangeHandle::NoticesInFlight(), before + 1);  // once, however many changes
    watch.Handle().FindNext();
    EXPECT_EQ(ChangeHandle::NoticesInFlight(), before);
    Touch(dir / "c");
    ASSERT_EQ(WaitForChangeOrWake(watch.Handle(), watch.Wake(), 2000), WaitResult::kChange);
    EXPECT_EQ(ChangeHandle::NoticesInFlight(), before + 1);
  }
  EXPECT_EQ(ChangeHandle::NoticesInFlight(), before);  // a handle closed unhandled
}

TEST(ChangeHandle, SubTreeFollowsNewMovedAndRemovedFolders) {
  test::TempDir dir;
  test::TempDir outside;
  CreateFolder(dir / "a");
  CreateFolder(dir / "a/b");
  Watch watch(dir.Path(), true, kChangeFileName);
  EXPECT_EQ(watch.Watches(), 3);
  Touch(dir / "a/b/file");
  EXPECT_TRUE(watch.Changed());

  CreateFolder(dir / "new");
  EXPECT_TRUE(watch.Quiet());  // a folder name: not in the filter
  Touch(dir / "new/file");
  EXPECT_TRUE(watch.Changed());
  EXPECT_EQ(watch.Watches(), 4);

  // Moved out: its watches go, and its changes no longer count.
  test::Rename(dir / "a", outside / "a");
  EXPECT_TRUE(watch.Quiet());
  EXPECT_EQ(watch.Watches(), 2);
  Touch(outside / "a/b/other");
  EXPECT_TRUE(watch.Quiet());

  // Moved in: watched from then on.
  test::Rename(outside / "a", dir / "back");
  EXPECT_TRUE(watch.Quiet());
  EXPECT_EQ(watch.Watches(), 4);
  Touch(dir / "back/b/third");
  EXPECT_TRUE(watch.Changed());

  test::Remove(dir / "new/file");
  test::Remove(dir / "new");
  EXPECT_TRUE(watch.Changed());
  EXPECT_TRUE(watch.Quiet());
  EXPECT_EQ(watch.Watches(), 3);
}

TEST(ChangeHandle, FilesMadeInANewFolderBeforeItIsWatchedCountAsChanges) {
  test::TempDir dir;
  Watch watch(dir.Path(), true, kChangeFileName);
  // Both happen before the handle reads the folder's creation, so the file
  // has no event of its own: the scan of the new folder finds it.
  CreateFolder(dir / "new");
  CreateFolder(dir / "new/deeper");
  Touch(dir / "new/deeper/file");
  EXPECT_TRUE(watch.Changed());
  EXPECT_EQ(watch.Watches(), 3);
  Touch(dir / "new/deeper/second");
  EXPECT_TRUE(watch.Changed());
}

TEST(ChangeHandle, ATreeTooBigForTheBoundIsWatchedAtItsTopAlone) {
  test::TempDir dir;
  CreateFolder(dir / "a");
  Watch fits(dir.Path(), true, kChangeFileName, 3);
  EXPECT_EQ(fits.Watches(), 2);
  CreateFolder(dir / "b");
  CreateFolder(dir / "c");
  Watch tooBig(dir.Path(), true, kChangeFileName, 3);
  EXPECT_EQ(tooBig.Watches(), 1);
  Touch(dir / "a/file");
  EXPECT_TRUE(tooBig.Quiet());
  Touch(dir / "top");
  EXPECT_TRUE(tooBig.Changed());

  // The tree that fitted outgrows the bound as folders are made.
  EXPECT_TRUE(fits.Changed());
  EXPECT_EQ(fits.Watches(), 1);
  Touch(dir / "b/file");
  EXPECT_TRUE(fits.Quiet());
}

TEST(ChangeHandle, AfterLostEventsItSignalsAndWatchesTheFoldersMadeMeanwhile) {
  int queueLimit = 0;
  std::ifstream("/proc/sys/fs/inotify/max_queued_events") >> queueLimit;
  if (queueLimit <= 0 || queueLimit > 100000) GTEST_SKIP() << "event queue limit " << queueLimit;
  test::TempDir dir;
  Touch(dir / "a");
  Touch(dir / "b");
  Watch watch(dir.Path(), true, kChangeAttributes | kChangeFileName);
  // Alternating files, as the system merges repeated identical events.
  for (int i = 0; i <= queueLimit; ++i) ASSERT_EQ(::chmod((dir / (i % 2 ? "a" : "b")).c_str(), 0600), 0);
  CreateFolder(dir / "late");  // the queue is full: this event is lost
  EXPECT_TRUE(watch.Changed());
  while (watch.Changed(200)) {
  }
  Touch(dir / "late/file");
  EXPECT_TRUE(watch.Changed());
}

TEST(ChangeHandle, DeletingTheWatchedFolderSignalsWhateverTheFilter) {
  test::TempDir dir;
  CreateFolder(dir / "watched");
  Watch watch(dir / "watched", false, kChangeAttributes);
  test::Remove(dir / "watched");
  EXPECT_TRUE(watch.Changed());
}

TEST(ChangeHandle, MovingTheWatchedFolderSignals) {
  test::TempDir dir;
  CreateFolder(dir / "watched");
  Watch watch(dir / "watched", false, kChangeFileName);
  test::Rename(dir / "watched", dir / "moved");
  EXPECT_TRUE(watch.Changed());
}

TEST(ChangeHandle, AWakeEndsTheWaitAndStaysGivenUntilConsumed) {
  test::TempDir dir;
  Watch watch(dir.Path(), false, kChangeFileName);
  watch.Wake().Signal();
  EXPECT_EQ(WaitForChangeOrWake(watch.Handle(), watch.Wake(), 2000), WaitResult::kWake);
  EXPECT_EQ(WaitForChangeOrWake(watch.Handle(), watch.Wake(), 2000), WaitResult::kWake);
  watch.Wake().Consume();
  EXPECT_TRUE(watch.Quiet());
}

}  // namespace
}  // namespace lum::platform
