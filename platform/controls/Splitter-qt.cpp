#include "platform/controls/Splitter.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "platform/controls/AlignArea.h"
#include "platform/controls/Control.h"

namespace lum::controls {

namespace {

/// The hatched line that follows the mouse during a drag.
class DragLine : public QWidget {
 public:
  explicit DragLine(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setObjectName(QStringLiteral("lum_splitter_line"));
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.fillRect(rect(), QBrush(Qt::black, Qt::Dense4Pattern));
  }
};

std::vector<QWidget*> Siblings(const QWidget& control) {
  QWidget* parent = control.parentWidget();
  if (const AlignArea* area = AlignArea::Of(parent)) return area->Children();
  std::vector<QWidget*> result;
  if (!parent) return result;
  for (QObject* child : parent->children()) {
    if (child->isWidgetType()) result.push_back(static_cast<QWidget*>(child));
  }
  return result;
}

QRect ParentClientRect(const QWidget& control) {
  QWidget* parent = control.parentWidget();
  if (const AlignArea* area = AlignArea::Of(parent)) return area->ClientRect();
  return parent ? parent->rect() : QRect();
}

}  // namespace

TSplitter::TSplitter(QWidget* parent) : QWidget(parent) {}

TSplitter::~TSplitter() { delete line_; }

bool TSplitter::Vertical() const {
  const TAlign align = AlignOf(*this);
  return align == alLeft || align == alRight;
}

int TSplitter::Along(const QPoint& point) const { return Vertical() ? point.x() : point.y(); }

int TSplitter::PaneSize() const { return Vertical() ? pane_->width() : pane_->height(); }

QWidget* TSplitter::FindControl() const {
  QWidget* parent = parentWidget();
  if (!parent) return nullptr;
  const TAlign align = AlignOf(*this);
  QPoint point = pos();
  switch (align) {
    case alLeft: point.rx() -= 1; break;
    case alRight: point.rx() += width(); break;
    case alTop: point.ry() -= 1; break;
    case alBottom: point.ry() += height(); break;
    default: return nullptr;
  }
  const bool before = align == alLeft || align == alTop;
  for (QWidget* sibling : Siblings(*this)) {
    if (sibling == this || sibling == line_ || sibling->isHidden() || !sibling->isEnabledTo(parent)) continue;
    int left = sibling->x();
    int top = sibling->y();
    int right = left + sibling->width();
    int bottom = top + sibling->height();
    // A closed pane is still found: it is taken one pixel wide.
    if (right == left) (before ? left : right) += before ? -1 : 1;
    if (bottom == top) (before ? top : bottom) += before ? -1 : 1;
    if (point.x() >= left && point.x() < right && point.y() >= top && point.y() < bottom) return sibling;
  }
  return nullptr;
}

void TSplitter::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || pane_) return;
  pane_ = FindControl();
  if (!pane_) return;
  downPos_ = event->position().toPoint();
  // The pane may grow until the rest of the parent keeps MinSize.
  const QRect area = ParentClientRect(*this);
  maxSize_ = (Vertical() ? area.width() : area.height()) - minSize_;
  for (QWidget* sibling : Siblings(*this)) {
    const TAlign align = AlignOf(*sibling);
    if (sibling->isHidden()) continue;
    if (Vertical() && (align == alLeft || align == alRight)) maxSize_ -= sibling->width();
    if (!Vertical() && (align == alTop || align == alBottom)) maxSize_ -= sibling->height();
  }
  maxSize_ += PaneSize();
  CalcSplitSize(downPos_, newSize_, split_);
  if (newSize_ <= minSize_) newSize_ = 0;
  if (!line_) line_ = new DragLine(parentWidget());
  MoveLine();
  line_->raise();
  line_->show();
  qApp->installEventFilter(this);
}

// The new size of the pane for the mouse at `position`, held between
// MinSize and the largest size, and the line's offset from the splitter
// that goes with it.
void TSplitter::CalcSplitSize(const QPoint& position, int& newSize, int& split) const {
  split = Along(position) - Along(downPos_);
  const TAlign align = AlignOf(*this);
  const bool growsWithMouse = align == alLeft || align == alTop;
  const int wanted = PaneSize() + (growsWithMouse ? split : -split);
  newSize = wanted;
  if (wanted < minSize_) {
    newSize = minSize_;
  } else if (wanted > maxSize_) {
    newSize = maxSize_;
  }
  if (wanted != newSize) split += growsWithMouse ? newSize - wanted : wanted - newSize;
}

void TSplitter::mouseMoveEvent(QMouseEvent* event) {
  if (!pane_) return;
  int newSize = 0;
  CalcSplitSize(event->position().toPoint(), newSize, split_);
  newSize_ = newSize <= minSize_ ? 0 : newSize;
  MoveLine();
}

void TSplitter::mouseReleaseEvent(QMouseEvent* event) {
  if (!pane_ || event->button() != Qt::LeftButton) return;
  QWidget& pane = *pane_;
  const int oldSize = PaneSize();
  StopSizing();
  if (newSize_ == oldSize) return;
  const QRect bounds = pane.geometry();
  switch (AlignOf(*this)) {
    case alLeft: SetWidth(pane, newSize_); break;
    case alTop: SetHeight(pane, newSize_); break;
    case alRight:
      SetBounds(pane, bounds.x() + bounds.width() - newSize_, bounds.y(), newSize_, bounds.height());
      break;
    case alBottom:
      SetBounds(pane, bounds.x(), bounds.y() + bounds.height() - newSize_, bounds.width(), newSize_);
      break;
    default: break;
  }
}

void TSplitter::MoveLine() {
  if (!line_) return;
  const QRect bar = geometry();
  line_->setGeometry(Vertical() ? bar.translated(split_, 0) : bar.translated(0, split_));
}

void TSplitter::StopSizing() {
  pane_ = nullptr;
  if (line_) line_->hide();
  qApp->removeEventFilter(this);
}

bool TSplitter::eventFilter(QObject* watched, QEvent* event) {
  if (pane_ && event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
    StopSizing();
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

bool TSplitter::event(QEvent* event) {
  if (event->type() == QEvent::DynamicPropertyChange) setCursor(Vertical() ? Qt::SplitHCursor : Qt::SplitVCursor);
  return QWidget::event(event);
}

}  // namespace lum::controls
