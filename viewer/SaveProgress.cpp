#include "viewer/SaveProgress.h"

#include <QApplication>
#include <QProgressBar>

#include "platform/controls/GroupBox.h"

namespace lum {

namespace {

constexpr qint64 kRepaintEveryMs = 50;

}  // namespace

SaveProgress::SaveProgress(controls::TGroupBox& group, int total, int delayMs)
    : group_(group), total_(total), delayMs_(delayMs) {
  clock_.start();
}

SaveProgress::~SaveProgress() {
  if (!bar_) return;
  QApplication::restoreOverrideCursor();
  bar_.reset();
}

void SaveProgress::Step(int done) {
  const qint64 now = clock_.elapsed();
  if (!bar_) {
    if (now < delayMs_ || !group_.isVisible()) return;
    // Over the whole size label, inside the group's frame.
    bar_ = std::make_unique<QProgressBar>(&group_);
    bar_->setObjectName(QStringLiteral("SaveProgress"));
    bar_->setRange(0, total_);
    bar_->setGeometry(group_.ClientRect());
    bar_->show();
    QApplication::setOverrideCursor(Qt::WaitCursor);
  } else if (now - lastPaint_ < kRepaintEveryMs) {
    return;
  }
  lastPaint_ = now;
  bar_->setValue(done);
  bar_->repaint();
}

}  // namespace lum
