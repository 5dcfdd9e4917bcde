#include <sys/stat.h>

#include <QCoreApplication>
#include <QTest>
#include <QThread>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <thread>

#include <gtest/gtest.h>

#include "platform/watch/WindowThreadCall.h"
#include "tests/TestSupport.h"
#include "tests/WatchTestSupport.h"
#include "tests/WatchWaits.h"
#include "viewer/ShellCtrls/ShellChangeNotifier.h"

namespace lum {
namespace {

using test::CreateFolder;
using test::Touch;

using test::kGenerousMs;
using test::kQuietMs;

int ThreadCount() {
  std::error_code error;
  int count = 0;
  for (auto it = std::filesystem::directory_iterator("/proc/self/task", error);
       !error && it != std::filesystem::directory_iterator(); it.increment(error)) {
    ++count;
  }
  return count;
}

// Threads of this test program when no worker runs, taken before any test.
int threadsWithoutWorkers = 0;

class ThreadBaseline : public ::testing::Environment {
 public:
  void SetUp() override {
    // ThreadSanitizer starts a helper thread with the first thread a
    // program makes; one short-lived thread gets it going beforehand.
    std::thread([] {}).join();
    threadsWithoutWorkers = ThreadCount();
  }
};
[[maybe_unused]] const auto* const baseline = ::testing::AddGlobalTestEnvironment(new ThreadBaseline);

/// Counts the callbacks of a notifier and where they ran.
class Callbacks {
 public:
  TThreadMethod Method() {
    return [this] {
      ++count_;
      if (QThread::currentThread() != QCoreApplication::instance()->thread()) ++offWindowThread_;
    };
  }
  int Count() const { return count_; }
  int OffWindowThread() const { return offWindowThread_; }
  void Reset() { count_ = 0; }

  bool ArriveAfter(int seen) {
    return QTest::qWaitFor([&] { return count_ > seen; }, kGenerousMs);
  }
  /// Waits until the callbacks of the changes made so far have come.
  void Settle() {
    test::SettleWatchers([this] { return count_; });
  }

 private:
  int count_ = 0;
  int offWindowThread_ = 0;
};

// Makes a new file in `folder` every `probeMs` until a callback shows that
// the worker watches it (it starts asynchronously); false when none came
// within kGenerousMs.
bool ReportsChangesIn(Callbacks& callbacks, const std::string& folder, int probeMs = 100) {
  static int probe = 0;
  const int seen = callbacks.Count();
  return test::ProbeUntil([&] { Touch(folder + "/.probe" + std::to_string(++probe)); },
                          [&] { return callbacks.Count() > seen; }, probeMs);
}

// Waits until the notifier watches `folder`, then lets the callbacks settle
// and counts from zero again.
void WaitUntilWatching(Callbacks& callbacks, const std::string& folder) {
  ASSERT_TRUE(ReportsChangesIn(callbacks, folder)) << "the notifier never reported a change in " << folder;
  callbacks.Settle();
  callbacks.Reset();
}

// Polls `done` for up to kGenerousMs without running the event loop, so
// that no callback can run meanwhile.
bool WithoutEvents(const std::function<bool()>& done) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(kGenerousMs);
  while (!done()) {
    if (std::chrono::steady_clock::now() > end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return true;
}

bool NoCallbackFor(Callbacks& callbacks, int ms = kQuietMs) {
  const int seen = callbacks.Count();
  QTest::qWait(ms);
  return callbacks.Count() == seen;
}

std::unique_ptr<TShellChangeNotifier> Notifier(const std::string& root, TThreadMethod onChange,
                                               bool watchSubTree = true) {
  auto notifier = std::make_unique<TShellChangeNotifier>();
  notifier->SetWatchSubTree(watchSubTree);
  notifier->SetRoot(root);
  notifier->SetOnChange(std::move(onChange));
  return notifier;
}

bool NoWorkerRuns() { return ThreadCount() == threadsWithoutWorkers && test::InotifyInstanceCount() == 0; }

bool WorkersEnd() { return QTest::qWaitFor(NoWorkerRuns, kGenerousMs); }

// Each test starts when the workers of the tests before it have ended.
class ShellChangeNotifier : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(WorkersEnd()); }
};

TEST_F(ShellChangeNotifier, StartsWithTheDefaultsAndNoWorker) {
  TShellChangeNotifier notifier;
  EXPECT_EQ(notifier.Root(), "/");
  EXPECT_TRUE(notifier.WatchSubTree());
  EXPECT_EQ(notifier.NotifyFilters(), nfFileNameChange | nfDirNameChange);
  EXPECT_EQ(NotifyFilterBits(notifier.NotifyFilters()), 0x3u);
  EXPECT_EQ(NotifyFilterBits(nfSecurityChange | nfWriteChange), 0x110u);
  EXPECT_TRUE(NoWorkerRuns());
}

TEST_F(ShellChangeNotifier, DefaultFiltersReportNameChangesButNotWritesIntoFiles) {
  test::TempDir dir;
  Touch(dir / "existing");
  Callbacks callbacks;
  const auto notifier = Notifier(dir.Path(), callbacks.Method());
  WaitUntilWatching(callbacks, dir.Path());

  test::WriteFile(dir / "existing", {1, 2, 3});
  EXPECT_TRUE(NoCallbackFor(callbacks));

  const std::function<void()> changes[] = {
      [&] { Touch(dir / "new"); },
      [&] { test::Rename(dir / "new", dir / "renamed"); },
      [&] { test::Remove(dir / "renamed"); },
      [&] { CreateFolder(dir / "folder"); },
      [&] { test::Rename(dir / "folder", dir / "moved"); },
      [&] { test::Remove(dir / "moved"); },
  };
  for (const auto& change : changes) {
    const int seen = callbacks.Count();
    change();
    EXPECT_TRUE(callbacks.ArriveAfter(seen));
    callbacks.Settle();
  }
  EXPECT_EQ(callbacks.OffWindowThread(), 0);
}

TEST_F(ShellChangeNotifier, WithoutSubTreeChangesInSubFoldersGiveNothing) {
  test::TempDir dir;
  CreateFolder(dir / "sub");
  Callbacks callbacks;
  const auto notifier = Notifier(dir.Path(), callbacks.Method(), false);
  WaitUntilWatching(callbacks, dir.Path());
  Touch(dir / "sub/file");
  CreateFolder(dir / "sub/folder");
  EXPECT_TRUE(NoCallbackFor(callbacks));
}

TEST_F(ShellChangeNotifier, WithSubTreeChangesBelowCountAlsoInFoldersMadeLater) {
  test::TempDir dir;
  CreateFolder(dir / "sub");
  CreateFolder(dir / "sub/deep");
  Callbacks callbacks;
  const auto notifier = Notifier(dir.Path(), callbacks.Method());
  WaitUntilWatching(callbacks, dir.Path());

  Touch(dir / "sub/deep/file");
  EXPECT_TRUE(callbacks.ArriveAfter(0));
  callbacks.Settle();

  CreateFolder(dir / "sub/later");
  Touch(dir / "sub/later/first");
  EXPECT_TRUE(callbacks.ArriveAfter(callbacks.Count() - 1));
  callbacks.Settle();
  const int seen = callbacks.Count();
  Touch(dir / "sub/later/second");
  EXPECT_TRUE(callbacks.ArriveAfter(seen));
}

TEST_F(ShellChangeNotifier, AFolderThatCannotBeWatchedGivesNoCallbackAndNoError) {
  test::TempDir dir;
  Touch(dir / "file");
  Callbacks callbacks;
  for (const std::string& root : {dir / "missing", dir / "file", std::string("rfDesktop"), std::string()}) {
    SCOPED_TRACE(root);
    const auto notifier = Notifier(root, callbacks.Method());
    // The worker ends at once, closing what it opened.
    EXPECT_TRUE(WorkersEnd());
  }
  TShellChangeNotifier noFilters;
  noFilters.SetRoot(dir.Path());
  noFilters.SetNotifyFilters({});
  noFilters.SetOnChange(callbacks.Method());
  EXPECT_TRUE(WorkersEnd());
  Touch(dir / "new");
  EXPECT_TRUE(NoCallbackFor(callbacks));
  EXPECT_EQ(callbacks.Count(), 0);
}

TEST_F(ShellChangeNotifier, ARootThatCanBeWatchedRevivesANotifierWhoseFolderCouldNotBe) {
  test::TempDir dir;
  Callbacks callbacks;
  const auto notifier = Notifier(dir / "missing", callbacks.Method());
  ASSERT_TRUE(WorkersEnd());
  notifier->SetRoot(dir.Path());
  WaitUntilWatching(callbacks, dir.Path());
  Touch(dir / "file");
  EXPECT_TRUE(callbacks.ArriveAfter(0));
}

// A root handed over while the worker is still finding out that its first
// folder cannot be watched must reach a worker, that one or a new one. The
// pause before the hand-over grows each round, so that it meets the worker
// at different points of its failed start.
TEST_F(ShellChangeNotifier, ARootHandedOverWhileTheFirstCannotBeWatchedIsWatched) {
  test::TempDir dir;
  Callbacks callbacks;
  for (int round = 0; round < 100; ++round) {
    SCOPED_TRACE(round);
    const auto notifier = Notifier(dir / "missing", callbacks.Method());
    const auto pauseEnd = std::chrono::steady_clock::now() + std::chrono::microseconds(3 * round);
    while (std::chrono::steady_clock::now() < pauseEnd) {
    }
    notifier->SetRoot(dir.Path());
    ASSERT_TRUE(ReportsChangesIn(callbacks, dir.Path(), 10));
  }
}

// The entries of `folder` whose names do not start with ".".
int VisibleEntries(const std::string& folder) {
  int count = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    if (entry.path().filename().string()[0] != '.') ++count;
  return count;
}

// A burst of changes made while a callback keeps the window's thread busy
// (and its worker waits for it): however the worker merges them, a callback
// must start after the last one.
TEST_F(ShellChangeNotifier, TheLastChangeOfABurstIsFollowedByACallback) {
  constexpr int kFiles = 2000;
  test::TempDir dir;
  Callbacks callbacks;
  const auto notifier = Notifier(dir.Path(), callbacks.Method());
  WaitUntilWatching(callbacks, dir.Path());

  std::atomic<int> made{0};
  std::thread writer;
  bool writerFinishedInCallback = false, sawAll = false;  // window's thread only
  notifier->SetOnChange([&] {
    if (!writer.joinable()) {
      writer = std::thread([&] {
        for (int i = 0; i < kFiles; ++i) {
          Touch(dir / ("burst" + std::to_string(i)));
          made.store(i + 1);
        }
      });
      writerFinishedInCallback = WithoutEvents([&] { return made.load() == kFiles; });
    } else if (made.load() == kFiles) {
      sawAll = VisibleEntries(dir.Path()) == kFiles;
    }
  });
  Touch(dir / ".start");
  const bool followed = QTest::qWaitFor([&] { return sawAll; }, kGenerousMs);
  if (writer.joinable()) writer.join();
  ASSERT_TRUE(writerFinishedInCallback);
  EXPECT_TRUE(followed);
}

TEST_F(ShellChangeNotifier, DestroyingItEndsItsWorkerAndNothingIsDeliveredAfterwards) {
  test::TempDir dir;
  Callbacks callbacks;
  auto notifier = Notifier(dir.Path(), callbacks.Method());
  WaitUntilWatching(callbacks, dir.Path());
  notifier.reset();
  EXPECT_TRUE(WorkersEnd());
  Touch(dir / "after");
  EXPECT_TRUE(NoCallbackFor(callbacks));
}

TEST_F(ShellChangeNotifier, AChangeNotYetHandledIsDroppedWhenTheNotifierGoes) {
  test::TempDir dir;
  Callbacks callbacks;
  auto notifier = Notifier(dir.Path(), callbacks.Method());
  WaitUntilWatching(callbacks, dir.Path());
  Touch(dir / "pending");
  // The window's thread stays out of its event loop until the worker has
  // handed the change over and waits for it.
  ASSERT_TRUE(WithoutEvents([] { return platform::WindowThreadCallsWaiting() == 1; }));
  notifier.reset();
  EXPECT_TRUE(NoCallbackFor(callbacks));
  EXPECT_TRUE(WorkersEnd());
}

TEST_F(ShellChangeNotifier, DestroyedFromItsOwnCallbackItsWorkerEndsWithoutWaitingForTheCallback) {
  test::TempDir dir;
  int calls = 0;
  bool endedWhileCallbackRan = false;
  std::unique_ptr<TShellChangeNotifier> notifier;
  notifier = Notifier(dir.Path(), [&] {
    ++calls;
    notifier.reset();
    // The worker waits for this callback; it must not have to.
    endedWhileCallbackRan = WithoutEvents(NoWorkerRuns);
  });
  int probe = 0;
  test::ProbeUntil([&] { Touch(dir / ("probe" + std::to_string(probe++))); }, [&] { return calls > 0; });
  ASSERT_EQ(calls, 1);
  EXPECT_TRUE(endedWhileCallbackRan);
  Touch(dir / "after");
  QTest::qWait(kQuietMs);
  EXPECT_EQ(calls, 1);
}

TEST_F(ShellChangeNotifier, ANotifierReplacedInItsOwnCallbackNeverDeliversAgain) {
  test::TempDir dir;
  Callbacks replaced, replacement;
  std::unique_ptr<TShellChangeNotifier> notifier;
  // As a browser control does when its callback rebuilds it.
  notifier = Notifier(dir.Path(), [&] {
    replaced.Method()();
    notifier = Notifier(dir.Path(), replacement.Method());
  });
  WaitUntilWatching(replaced, dir.Path());
  WaitUntilWatching(replacement, dir.Path());
  for (int i = 0; i < 3; ++i) {
    const int seen = replacement.Count();
    Touch(dir / ("file" + std::to_string(i)));
    EXPECT_TRUE(replacement.ArriveAfter(seen));
  }
  EXPECT_EQ(replaced.Count(), 0);
}

TEST_F(ShellChangeNotifier, SettingsChangedWhileRunningTakeEffect) {
  test::TempDir first, second;
  CreateFolder(second / "sub");
  Callbacks callbacks;
  const auto notifier = Notifier(first.Path(), callbacks.Method());
  WaitUntilWatching(callbacks, first.Path());

  notifier->SetRoot(second.Path());
  WaitUntilWatching(callbacks, second.Path());
  Touch(first / "ignored");
  EXPECT_TRUE(NoCallbackFor(callbacks));

  notifier->SetWatchSubTree(false);
  WaitUntilWatching(callbacks, second.Path());
  Touch(second / "sub/ignored");
  EXPECT_TRUE(NoCallbackFor(callbacks));

  Touch(second / "existing");
  notifier->SetNotifyFilters(nfWriteChange);
  WaitUntilWatching(callbacks, second.Path());  // creating a file writes it
  test::Rename(second / "existing", second / "renamed");
  EXPECT_TRUE(NoCallbackFor(callbacks));
  test::WriteFile(second / "renamed", {1});
  EXPECT_TRUE(callbacks.ArriveAfter(0));

  EXPECT_EQ(ThreadCount(), threadsWithoutWorkers + 1);  // still the one worker
}

TEST_F(ShellChangeNotifier, ARootDifferingOnlyInLetterCaseIsAnotherFolder) {
  test::TempDir dir;
  CreateFolder(dir / "Logos");
  CreateFolder(dir / "logos");
  Callbacks callbacks;
  const auto notifier = Notifier(dir / "Logos", callbacks.Method());
  WaitUntilWatching(callbacks, dir / "Logos");
  notifier->SetRoot(dir / "logos");
  EXPECT_EQ(notifier->Root(), dir / "logos");
  WaitUntilWatching(callbacks, dir / "logos");
  Touch(dir / "Logos/ignored");
  EXPECT_TRUE(NoCallbackFor(callbacks));
}

TEST_F(ShellChangeNotifier, ANewCallbackIsCalledByTheRunningWorker) {
  test::TempDir dir;
  Callbacks first, second;
  const auto notifier = Notifier(dir.Path(), first.Method());
  WaitUntilWatching(first, dir.Path());
  notifier->SetOnChange(second.Method());
  Touch(dir / "file");
  EXPECT_TRUE(second.ArriveAfter(0));
  EXPECT_EQ(first.Count(), 0);
  EXPECT_EQ(ThreadCount(), threadsWithoutWorkers + 1);
}

// A notifier that is never destroyed: its worker must not outlive the
// process's static objects (ASan's leak check runs in the child as well).
TEST(ShellChangeNotifierDeathTest, AWorkerStillRunningAtExitIsStoppedAndJoined) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  test::TempDir dir;
  EXPECT_EXIT(
      {
        static Callbacks callbacks;
        static TShellChangeNotifier* const notifier = new TShellChangeNotifier();
        notifier->SetRoot(dir.Path());
        notifier->SetOnChange(callbacks.Method());
        WaitUntilWatching(callbacks, dir.Path());
        // std::exit skips the destructor of this process's own folder.
        std::filesystem::remove_all(dir.Path());
        std::exit(0);
      },
      ::testing::ExitedWithCode(0), "");
}

}  // namespace
}  // namespace lum
