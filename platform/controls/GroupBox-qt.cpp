#include "platform/controls/GroupBox.h"

#include <QPainter>
#include <QStyle>

#include "platform/controls/AlignArea.h"
#include "platform/controls/Scaling.h"

namespace lum::controls {

TGroupBox::TGroupBox(QWidget* parent) : QGroupBox(parent) {
  new AlignArea(*this, [this] { return ClientRect(); });
}

QRect TGroupBox::ClientRect() const { return rect().adjusted(2, TextHeight(font()) + 2, -2, -2); }

// The frame's top runs through the middle of the caption's line; the
// caption, 8 pixels in, is drawn on the box's own background over it.
void TGroupBox::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const int textHeight = TextHeight(font());
  const QRect frame(0, textHeight / 2 - 1, width(), height() - (textHeight / 2 - 1));
  painter.setPen(palette().color(QPalette::Dark));
  painter.drawRect(frame.adjusted(0, 0, -2, -2));
  painter.setPen(palette().color(QPalette::Light));
  painter.drawRect(frame.adjusted(1, 1, -1, -1));
  if (title().isEmpty()) return;
  const QRect caption(8, 0, fontMetrics().horizontalAdvance(title()), textHeight);
  painter.fillRect(caption, palette().color(backgroundRole()));
  style()->drawItemText(&painter, caption, Qt::AlignLeft | Qt::AlignTop | Qt::TextShowMnemonic, palette(),
                        isEnabled(), title(), QPalette::WindowText);
}

}  // namespace lum::controls
