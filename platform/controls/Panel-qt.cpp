#include "platform/controls/Panel.h"

#include <QPainter>

#include "platform/controls/AlignArea.h"

namespace lum::controls {

namespace {
constexpr int kBevelWidth = 1;
}

TPanel::TPanel(QWidget* parent) : QWidget(parent) {
  setAutoFillBackground(true);
  setBackgroundRole(QPalette::Button);
  new AlignArea(*this, [this] { return rect().adjusted(kBevelWidth, kBevelWidth, -kBevelWidth, -kBevelWidth); });
}

void TPanel::SetCaption(const QString& caption) {
  caption_ = caption;
  setAccessibleName(caption);
  update();
}

void TPanel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const int right = width() - 1;
  const int bottom = height() - 1;
  painter.setPen(palette().color(QPalette::Light));
  painter.drawLine(0, 0, right - 1, 0);
  painter.drawLine(0, 0, 0, bottom - 1);
  painter.setPen(palette().color(QPalette::Dark));
  painter.drawLine(right, 0, right, bottom);
  painter.drawLine(0, bottom, right, bottom);
  if (!caption_.isEmpty()) {
    painter.setPen(palette().color(QPalette::ButtonText));
    painter.drawText(rect(), Qt::AlignCenter | Qt::TextSingleLine, caption_);
  }
}

}  // namespace lum::controls
