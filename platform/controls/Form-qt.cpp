#include "platform/controls/Form.h"

#include <QEvent>
#include <QResizeEvent>
#include <QScreen>

#include "platform/controls/AlignArea.h"
#include "platform/controls/ExceptionGuard.h"
#include "platform/controls/Scaling.h"

namespace lum::controls {

namespace {

constexpr Qt::WindowStates kFullSizeStates = Qt::WindowMaximized | Qt::WindowFullScreen;

}  // namespace

TForm::TForm(QWidget* parent) : QWidget(parent, Qt::Window), pixelsPerInch_(ScreenPixelsPerInch()) {
  setFont(FormFont(pixelsPerInch_));
  new AlignArea(*this, [this] { return rect(); });
}

TForm::~TForm() = default;

// The window's client area is scaled with its controls, so that the design
// fills it, neither cut off on the right nor leaving a strip there.
void TForm::AfterConstruction() {
  scale_ = FormScale(*this);
  if (scale_.numerator != scale_.denominator) {
    resize(Scaled(width()), Scaled(height()));
    ScaleControls(*this, scale_.numerator, scale_.denominator);
  }
  acceptedSize_ = size();
  Guard([this] {
    if (OnCreate) OnCreate();
  });
}

void TForm::BeforeDestruction() {
  if (destroyed_) return;
  destroyed_ = true;
  Guard([this] {
    if (OnDestroy) OnDestroy();
  });
}

int TForm::Scaled(int designPixels) const { return MulDiv(designPixels, scale_.numerator, scale_.denominator); }

void TForm::SetClientWidth(int width) { SetClientSize(width, height()); }

void TForm::SetClientHeight(int height) { SetClientSize(width(), height); }

void TForm::SetClientSize(int width, int height) {
  const QSize wanted(width, height);
  if (wanted == size() || !AllowsSize(wanted)) return;
  setMinimumSize(0, 0);
  setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
  acceptedSize_ = wanted;
  resize(wanted);
  if (!isVisible()) AlignArea::Of(this)->Realign();  // no resize event until shown
  HoldSize();
}

bool TForm::AllowsSize(const QSize& clientSize) {
  if (!OnCanResize) return true;
  const QSize frame = frameGeometry().size() - size();
  bool resize = true;
  OnCanResize(clientSize.width() + frame.width(), clientSize.height() + frame.height(), resize);
  return resize;
}

// A size the handler refuses to leave is pinned as the minimum and maximum,
// so that the window manager offers no resizing and no maximising at all;
// a change it makes anyway is undone in resizeEvent.
void TForm::HoldSize() {
  if (!OnCanResize) return;
  if (AllowsSize(size())) {
    setMinimumSize(0, 0);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
  } else {
    setMinimumSize(size());
    setMaximumSize(size());
  }
}

// Centred by the outer size. Some window managers tell their frame only
// once the window is mapped; until then the client size stands for it.
void TForm::Centre() {
  create();
  const QScreen* screen = this->screen();
  if (!screen) return;
  const QRect area = screen->geometry();
  const QSize outer = frameGeometry().size();
  move(area.x() + (area.width() - outer.width()) / 2, area.y() + (area.height() - outer.height()) / 2);
}

void TForm::setVisible(bool visible) {
  if (visible && !isVisible()) {
    Guard([this] {
      if (OnShow) OnShow();
    });
    if (!centred_) {
      centred_ = true;
      Centre();
    }
    QWidget::setVisible(true);
    Guard([this] { HoldSize(); });
    return;
  }
  QWidget::setVisible(visible);
}

void TForm::resizeEvent(QResizeEvent* event) {
  if (acceptedSize_.isValid() && event->size() != acceptedSize_) {
    bool allowed = true;
    Guard([&] { allowed = AllowsSize(event->size()); });
    if (!allowed) {
      if (windowState() & kFullSizeStates) setWindowState(windowState() & ~kFullSizeStates);
      resize(acceptedSize_);
      Guard([this] { HoldSize(); });
      return;
    }
    acceptedSize_ = event->size();
  }
  QWidget::resizeEvent(event);
}

// The handler's answer may change with the program's state; it is asked
// again whenever the window becomes active or the mouse comes in.
bool TForm::event(QEvent* event) {
  if (event->type() == QEvent::WindowActivate || event->type() == QEvent::Enter) Guard([this] { HoldSize(); });
  if (event->type() == QEvent::WindowStateChange) Guard([this] { RefuseFullSizeWhileHeld(); });
  return QWidget::event(event);
}

// Maximised or full screen, a window takes the whole screen. While its size
// is held neither is allowed: it goes back to its size. (Size hints keep a
// window manager from offering to maximise a window, but not from offering
// full screen.) Its place is left to the window manager, which puts the
// window back where it was when the state is taken away; a place of its own
// would race the manager's moves, and it drifted the window by its frame
// under Openbox.
void TForm::RefuseFullSizeWhileHeld() {
  if (!(windowState() & kFullSizeStates) || !acceptedSize_.isValid() || AllowsSize(acceptedSize_)) return;
  setWindowState(windowState() & ~kFullSizeStates);
  resize(acceptedSize_);
}

}  // namespace lum::controls
