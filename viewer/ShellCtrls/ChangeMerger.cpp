#include "viewer/ShellCtrls/ChangeMerger.h"

#include <algorithm>
#include <utility>

#include "viewer/ShellCtrls/ControlScopes.h"

namespace lum {

namespace {

// The pause after a refresh of `ownMs`: three times as long, but at most
// 2 s, or twice as long for a refresh of more than a second.
qint64 PauseAfter(qint64 ownMs) { return std::min(3 * ownMs, std::max<qint64>(2000, 2 * ownMs)); }

}  // namespace

TChangeMerger::TChangeMerger(std::function<void()> due) : due_(std::move(due)) {
  timer_.setSingleShot(true);
  QObject::connect(&timer_, &QTimer::timeout, [this] { due_(); });
  clock_.start();
}

void TChangeMerger::Changed() {
  // The refresh that runs has read the folder already, or is reading it:
  // the change may be missing from it, so one more follows.
  if (refreshing_)
    changedMeanwhile_ = true;
  else
    Schedule();
}

void TChangeMerger::Schedule() {
  if (timer_.isActive()) return;
  timer_.start(static_cast<int>(std::max<qint64>(0, nextStartMs_ - clock_.elapsed())));
}

void TChangeMerger::Refresh(const std::function<void()>& refresh) {
  timer_.stop();
  refreshing_ = true;
  changedMeanwhile_ = false;
  const qint64 start = clock_.elapsed();
  const OnExit done([&] {
    refreshing_ = false;
    const qint64 end = clock_.elapsed();
    nextStartMs_ = end + PauseAfter(end - start);
    if (std::exchange(changedMeanwhile_, false)) Schedule();
  });
  refresh();
}

}  // namespace lum
