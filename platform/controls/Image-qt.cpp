#include "platform/controls/Image.h"

#include <QPainter>
#include <cstdint>

namespace lum::controls {

TImage::TImage(QWidget* parent) : QWidget(parent) {}

void TImage::SetPicture(const QImage& picture) {
  picture_ = picture;
  stretched_ = QImage();
  update();
}

void TImage::SetStretch(bool stretch) {
  stretch_ = stretch;
  stretched_ = QImage();
  update();
}

void TImage::resizeEvent(QResizeEvent*) { stretched_ = QImage(); }

void TImage::paintEvent(QPaintEvent*) {
  if (picture_.isNull()) return;
  QPainter painter(this);
  if (!stretch_) {
    painter.drawImage(0, 0, picture_);
    return;
  }
  if (stretched_.isNull() && !size().isEmpty()) stretched_ = ReplicatePixels(picture_, size());
  painter.drawImage(0, 0, stretched_);
}

QImage ReplicatePixels(const QImage& picture, const QSize& size) {
  if (picture.isNull() || size.isEmpty()) return QImage();
  const QImage source = picture.convertToFormat(QImage::Format_ARGB32);
  QImage target(size, QImage::Format_ARGB32);
  const int64_t sourceWidth = source.width();
  const int64_t sourceHeight = source.height();
  for (int y = 0; y < size.height(); ++y) {
    const auto* from = reinterpret_cast<const QRgb*>(source.constScanLine(static_cast<int>(y * sourceHeight / size.height())));
    auto* to = reinterpret_cast<QRgb*>(target.scanLine(y));
    for (int x = 0; x < size.width(); ++x) to[x] = from[x * sourceWidth / size.width()];
  }
  return target;
}

}  // namespace lum::controls
