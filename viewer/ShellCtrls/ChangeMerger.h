// Change notices merged into refreshes. A folder that another program keeps
// changing must not keep the window's thread re-reading it: at most one
// refresh runs at a time, the notices that come while one runs lead to one
// more after it, and a refresh starts no sooner than three times the last
// one's own time after that one ended, so that under a steady stream
// refreshing takes at most a quarter of the time, and the window keeps the
// rest of its core for the user. The pause is no longer than 2 s, so that a
// change shows within that, unless the refresh itself took over a second:
// then it is twice the refresh's time, and refreshing takes at most a third
// of the time. No notice is dropped: a refresh always follows the last one.
#pragma once

#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>
#include <functional>

namespace lum {

class TChangeMerger {
 public:
  /// `due` runs from the event loop when a refresh is due. It refreshes
  /// through Refresh, or puts the refresh off (while a menu or an editor is
  /// open) and calls Refresh once that has closed.
  explicit TChangeMerger(std::function<void()> due);
  TChangeMerger(const TChangeMerger&) = delete;
  TChangeMerger& operator=(const TChangeMerger&) = delete;

  /// A change was reported: a refresh is due as soon as the last one allows.
  void Changed();

  /// Runs `refresh` now, and times it for the ones after it. The changes
  /// reported before it count as shown by it.
  void Refresh(const std::function<void()>& refresh);

  /// Milliseconds until the refresh that waits for its time is due; -1
  /// when none waits. (The time set, not the timer's: a coarse timer may
  /// fire a few per cent later.)
  int MsUntilDue() const {
    return timer_.isActive() ? static_cast<int>(std::max<qint64>(0, nextStartMs_ - clock_.elapsed())) : -1;
  }

 private:
  void Schedule();

  std::function<void()> due_;
  QTimer timer_;
  QElapsedTimer clock_;
  qint64 nextStartMs_ = 0;  ///< on clock_: the earliest start of the next refresh
  bool refreshing_ = false;
  bool changedMeanwhile_ = false;
};

}  // namespace lum
