// TGroupBox: a container in an etched frame, its caption set into the
// frame's top edge.
#pragma once

#include <QGroupBox>

namespace lum::controls {

class TGroupBox : public QGroupBox {
 public:
  explicit TGroupBox(QWidget* parent);

  /// Used exactly as given, trailing blanks included.
  void SetCaption(const QString& caption) { setTitle(caption); }
  QString Caption() const { return title(); }

  /// Where the aligned children go: inside the frame, below the caption.
  QRect ClientRect() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace lum::controls
