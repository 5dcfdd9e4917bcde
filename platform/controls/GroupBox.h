// TGroupBox: a container in an etched frame, its caption set into the
// frame's top edge.
#pragma once

#include <QGroupBox>

namespace lum::controls {

class TGroupBox : public QGroupBox {
 public:
  explicit TGroupBox(QWidget* parent);

  /// The caption starts this far in from the box's left edge, and stops at
  /// least this far in from its right edge, so the frame's corners show.
  static constexpr int kCaptionInset = 8;

  /// Used exactly as given, trailing blanks included.
  void SetCaption(const QString& caption) { setTitle(caption); }
  QString Caption() const { return title(); }

  /// Where the aligned children go: inside the frame, below the caption.
  QRect ClientRect() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace lum::controls
