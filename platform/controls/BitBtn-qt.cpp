#include "platform/controls/BitBtn.h"

#include <QCursor>
#include <QEvent>
#include <QPainter>
#include <QStyleOptionButton>
#include <QToolTip>

#include "platform/controls/ExceptionGuard.h"
#include "platform/controls/PlainText.h"

namespace lum::controls {

namespace {

constexpr int kHintPauseMs = 500;
constexpr int kHintHidePauseMs = 2500;
constexpr int kSpacing = 4;  ///< between glyph and caption

}  // namespace

TBitBtn::TBitBtn(QWidget* parent) : QPushButton(parent) {
  setAutoDefault(true);  // Enter presses a focused button, as Space does
  setMouseTracking(true);
  hintTimer_.setSingleShot(true);
  hintTimer_.setInterval(kHintPauseMs);
  connect(&hintTimer_, &QTimer::timeout, this, [this] { ShowHintNow(); });
  connect(this, &QPushButton::clicked, this, [this] {
    Guard([this] {
      if (OnClick) OnClick();
    });
  });
}

void TBitBtn::SetGlyph(const QImage& bitmap) {
  bitmap_ = bitmap.convertToFormat(QImage::Format_ARGB32);
  if (!bitmap_.isNull()) {
    const QRgb transparent = bitmap_.pixel(0, bitmap_.height() - 1) & RGB_MASK;
    for (int y = 0; y < bitmap_.height(); ++y) {
      auto* line = reinterpret_cast<QRgb*>(bitmap_.scanLine(y));
      for (int x = 0; x < bitmap_.width(); ++x) {
        if ((line[x] & RGB_MASK) == transparent) line[x] = 0;
      }
    }
  }
  update();
}

void TBitBtn::SetNumGlyphs(int count) {
  numGlyphs_ = std::max(1, count);
  update();
}

QImage TBitBtn::Glyph(bool enabled) const {
  if (bitmap_.isNull()) return QImage();
  const int width = bitmap_.width() / numGlyphs_;
  const int index = (!enabled && numGlyphs_ >= 2) ? 1 : 0;
  return bitmap_.copy(index * width, 0, width, bitmap_.height());
}

void TBitBtn::SetHint(const QString& hint) {
  hint_ = hint;
  setAccessibleDescription(hint);
}

// The glyph stands above the caption; the two are centred together, the
// rest of the height split above and below them.
void TBitBtn::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  QStyleOptionButton option;
  initStyleOption(&option);
  option.text.clear();
  option.icon = QIcon();
  style()->drawControl(QStyle::CE_PushButtonBevel, &option, &painter, this);

  const QRect inner = rect().adjusted(kFrame, kFrame, -kFrame, -kFrame);
  const QImage glyph = Glyph(isEnabled());
  const QFontMetrics metrics(font());
  const QSize textSize(metrics.horizontalAdvance(text()), metrics.height());
  const QSize glyphSize = glyph.size();
  const int spacing = (glyph.isNull() || text().isEmpty()) ? 0 : kSpacing;
  const int top = (inner.height() - glyphSize.height() - textSize.height() - spacing) / 2;
  QPoint glyphPos(inner.x() + (inner.width() - glyphSize.width() + 1) / 2, inner.y() + top);
  QPoint textPos(inner.x() + (inner.width() - textSize.width() + 1) / 2, glyphPos.y() + glyphSize.height() + spacing);
  if (isDown()) {
    glyphPos += QPoint(1, 1);
    textPos += QPoint(1, 1);
  }
  if (!glyph.isNull()) painter.drawImage(glyphPos, glyph);
  style()->drawItemText(&painter, QRect(textPos, textSize), Qt::AlignLeft | Qt::AlignTop | Qt::TextShowMnemonic,
                        palette(), isEnabled(), text(), QPalette::ButtonText);
}

bool TBitBtn::event(QEvent* event) {
  switch (event->type()) {
    case QEvent::Enter:
      hintShown_ = false;
      if (showHint_ && !hint_.isEmpty()) hintTimer_.start();
      break;
    case QEvent::MouseMove:
      // The pause counts from the mouse's last move on the button.
      if (showHint_ && !hint_.isEmpty() && !hintShown_) hintTimer_.start();
      break;
    case QEvent::Leave:
    case QEvent::MouseButtonPress:
    case QEvent::Hide:
      HideHint();
      break;
    default:
      break;
  }
  return QPushButton::event(event);
}

void TBitBtn::ShowHintNow() {
  if (!isVisible() || !underMouse()) return;
  hintShown_ = true;
  ShowPlainToolTip(QCursor::pos(), hint_, this, rect(), kHintHidePauseMs);
}

void TBitBtn::HideHint() {
  hintTimer_.stop();
  if (hintShown_) QToolTip::hideText();
}

}  // namespace lum::controls
