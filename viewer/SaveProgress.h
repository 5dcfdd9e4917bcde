// How far a long save has come, as a bar over the size group. A save runs
// to its end without the event loop, so that nothing can change the list,
// the mode or the selection meanwhile (a folder change heard in between is
// handled after it); the bar therefore paints itself at once.
#pragma once

#include <QElapsedTimer>
#include <memory>

class QProgressBar;

namespace lum {

namespace controls {
class TGroupBox;
}

class SaveProgress {
 public:
  /// A save of `total` steps; nothing shows during the first `delayMs`
  /// milliseconds, so that a short save does not flash a bar.
  SaveProgress(controls::TGroupBox& group, int total, int delayMs = 500);
  /// Takes the bar away.
  ~SaveProgress();
  SaveProgress(const SaveProgress&) = delete;
  SaveProgress& operator=(const SaveProgress&) = delete;

  /// `done` of the steps are behind; shows the bar once the save has taken
  /// longer than the delay, and repaints it now and then.
  void Step(int done);

 private:
  controls::TGroupBox& group_;
  int total_;
  qint64 delayMs_;
  QElapsedTimer clock_;
  qint64 lastPaint_ = 0;
  std::unique_ptr<QProgressBar> bar_;
};

}  // namespace lum
