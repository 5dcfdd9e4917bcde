// TImage: shows a picture unscaled at its top left, or stretched to the
// control's size by pixel replication, never smoothed: these are pixel
// logos.
#pragma once

#include <QImage>
#include <QWidget>

namespace lum::controls {

class TImage : public QWidget {
 public:
  explicit TImage(QWidget* parent);

  /// An empty picture draws nothing.
  void SetPicture(const QImage& picture);
  const QImage& Picture() const { return picture_; }

  void SetStretch(bool stretch);
  bool Stretch() const { return stretch_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QImage picture_;
  bool stretch_ = false;
};

/// `picture` at `size` by nearest-neighbour sampling: target pixel (x, y)
/// takes source pixel (x × width ÷ target width, y × height ÷ target
/// height), so that integer factors replicate every pixel exactly.
QImage ReplicatePixels(const QImage& picture, const QSize& size);
/// Only the part `part` (in target coordinates) of that picture.
QImage ReplicatePixels(const QImage& picture, const QSize& size, const QRect& part);

}  // namespace lum::controls
