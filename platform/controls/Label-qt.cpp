#include "platform/controls/Label.h"

#include <QEvent>
#include <QFontMetrics>

#include "platform/controls/Control.h"

namespace lum::controls {

TLabel::TLabel(QWidget* parent) : QLabel(parent) {
  setTextFormat(Qt::PlainText);
  setAlignment(Qt::AlignLeft | Qt::AlignTop);
  setAutoFillBackground(false);
  setMargin(0);
  setIndent(0);
}

void TLabel::SetCaption(const QString& caption) {
  setText(caption);
  AdjustSize();
}

void TLabel::changeEvent(QEvent* event) {
  QLabel::changeEvent(event);
  if (event->type() == QEvent::FontChange) AdjustSize();
}

void TLabel::AdjustSize() {
  const QFontMetrics metrics(font());
  const QString measured = text().isEmpty() ? QStringLiteral(" ") : text();
  SetBounds(*this, x(), y(), metrics.horizontalAdvance(measured), metrics.height());
}

}  // namespace lum::controls
