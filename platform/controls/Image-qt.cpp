#include "platform/controls/Image.h"

#include <QPaintEvent>
#include <QPainter>
#include <cstdint>

namespace lum::controls {

namespace {

bool IsOf32Bits(const QImage& picture) {
  return picture.format() == QImage::Format_RGB32 || picture.format() == QImage::Format_ARGB32;
}

}  // namespace

TImage::TImage(QWidget* parent) : QWidget(parent) {}

// Kept in a 32-bit format, which painting reads without converting.
void TImage::SetPicture(const QImage& picture) {
  picture_ = IsOf32Bits(picture) || picture.isNull() ? picture : picture.convertToFormat(QImage::Format_ARGB32);
  update();
}

void TImage::SetStretch(bool stretch) {
  stretch_ = stretch;
  update();
}

void TImage::paintEvent(QPaintEvent* event) {
  if (picture_.isNull()) return;
  QPainter painter(this);
  if (!stretch_) {
    painter.drawImage(0, 0, picture_);
    return;
  }
  // Only the part being painted is replicated: the 4x preview of a large
  // bitmap is far bigger than the group box that shows a corner of it.
  const QRect part = event->rect() & rect();
  if (!part.isEmpty()) painter.drawImage(part.topLeft(), ReplicatePixels(picture_, size(), part));
}

QImage ReplicatePixels(const QImage& picture, const QSize& size) {
  return ReplicatePixels(picture, size, QRect(QPoint(0, 0), size));
}

QImage ReplicatePixels(const QImage& picture, const QSize& size, const QRect& part) {
  if (picture.isNull() || size.isEmpty() || part.isEmpty()) return QImage();
  const QImage source = IsOf32Bits(picture) ? picture : picture.convertToFormat(QImage::Format_ARGB32);
  QImage target(part.size(), source.format());
  const int64_t sourceWidth = source.width();
  const int64_t sourceHeight = source.height();
  for (int y = 0; y < part.height(); ++y) {
    const int64_t row = (part.y() + y) * sourceHeight / size.height();
    const auto* from = reinterpret_cast<const QRgb*>(source.constScanLine(static_cast<int>(row)));
    auto* to = reinterpret_cast<QRgb*>(target.scanLine(y));
    for (int x = 0; x < part.width(); ++x) to[x] = from[(part.x() + x) * sourceWidth / size.width()];
  }
  return target;
}

}  // namespace lum::controls
