// Waits of the folder watcher tests. A wait for what must happen ends as
// soon as it has, within a limit that only a very busy machine comes near.
// A check that something does not happen first lets the watchers fall
// quiet, so that a change made before is not taken for one made after.
#pragma once

#include <QTest>
#include <chrono>
#include <functional>

#include "platform/watch/ChangeHandle.h"
#include "platform/watch/WindowThreadCall.h"
#include "tests/TestSupport.h"
#include "tests/WatchTestSupport.h"

namespace lum::test {

/// How long a check that nothing happens watches for it, and how long the
/// watchers must have been quiet before.
constexpr int kQuietMs = 300;

/// Runs the event loop until `count` has stood still for kQuietMs with no
/// change left unread in the kernel and none read but not yet handled (a
/// worker may have read one and not handed it to the window's thread yet,
/// however long it is kept from running), or until kGenerousMs have passed.
inline void SettleWatchers(const std::function<int()>& count) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(kGenerousMs);
  for (;;) {
    const int seen = count();
    QTest::qWait(kQuietMs);
    // In this order: a change leaves the kernel's queue only once it counts
    // as in flight.
    const bool idle = InotifyBytesPending() == 0 && platform::ChangeHandle::NoticesInFlight() == 0;
    if ((count() == seen && idle) || std::chrono::steady_clock::now() > end) return;
  }
}

/// Runs `probe` (a change that the watch reports) every `probeMs` until
/// `happened`, for at most kGenerousMs: a watch starts on a thread of its
/// own, so a change made too early goes unseen. Returns `happened()`.
inline bool ProbeUntil(const std::function<void()>& probe, const std::function<bool()>& happened,
                       int probeMs = 100) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(kGenerousMs);
  while (!happened() && std::chrono::steady_clock::now() < end) {
    probe();
    (void)QTest::qWaitFor(happened, probeMs);
  }
  return happened();
}

}  // namespace lum::test
