#include "platform/controls/GroupBox.h"

#include <QPainter>
#include <QStyle>
#include <algorithm>

#include "platform/controls/AlignArea.h"
#include "platform/controls/Scaling.h"

namespace lum::controls {

TGroupBox::TGroupBox(QWidget* parent) : QGroupBox(parent) {
  new AlignArea(*this, [this] { return ClientRect(); });
}

QRect TGroupBox::ClientRect() const { return rect().adjusted(2, TextHeight(font()) + 2, -2, -2); }

// The frame's top runs through the middle of the caption's line; the
// caption, kCaptionInset pixels in, is drawn on the box's own background
// over it. A caption too long for its box is cut short of the frame's
// top-right corner, as far in as it starts; the form's scale sees to it
// that its own captions fit (FormScale).
void TGroupBox::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const int textHeight = TextHeight(font());
  const QRect frame(0, textHeight / 2 - 1, width(), height() - (textHeight / 2 - 1));
  painter.setPen(palette().color(QPalette::Dark));
  painter.drawRect(frame.adjusted(0, 0, -2, -2));
  painter.setPen(palette().color(QPalette::Light));
  painter.drawRect(frame.adjusted(1, 1, -1, -1));
  if (title().isEmpty()) return;
  const int captionWidth = std::min(fontMetrics().horizontalAdvance(title()), width() - 2 * kCaptionInset);
  if (captionWidth <= 0) return;
  const QRect caption(kCaptionInset, 0, captionWidth, textHeight);
  painter.fillRect(caption, palette().color(backgroundRole()));
  painter.setClipRect(caption);
  style()->drawItemText(&painter, caption, Qt::AlignLeft | Qt::AlignTop | Qt::TextShowMnemonic, palette(),
                        isEnabled(), title(), QPalette::WindowText);
}

}  // namespace lum::controls
