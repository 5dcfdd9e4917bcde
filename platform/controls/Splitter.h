// TSplitter: a bar between an aligned pane and the rest of its parent.
// Dragging it shows a hatched line that follows the mouse; the pane is
// resized when the button is released, and Escape cancels the drag.
#pragma once

#include <QPointer>
#include <QWidget>

namespace lum::controls {

class TSplitter : public QWidget {
 public:
  /// Works once SetAlign has put it at a side (alLeft, alRight, alTop or
  /// alBottom), next to its pane.
  explicit TSplitter(QWidget* parent);
  ~TSplitter() override;

  /// The smallest size the pane is given; dragged to this or less, it
  /// closes to 0. The rest of the parent keeps at least this much too.
  void SetMinSize(int size) { minSize_ = size; }
  int MinSize() const { return minSize_; }

  /// The pane: the visible, enabled sibling that touches the splitter on
  /// the side of its alignment (the one containing the point just left of
  /// an alLeft splitter, just below an alBottom one, ...). None while that
  /// sibling is disabled or hidden: then dragging does nothing.
  QWidget* FindControl() const;

 protected:
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  bool Vertical() const;
  int Along(const QPoint& point) const;
  int PaneSize() const;
  void CalcSplitSize(const QPoint& position, int& newSize, int& split) const;
  void MoveLine();
  void StopSizing();

  int minSize_ = 30;
  QPointer<QWidget> pane_;  ///< while dragging
  QPointer<QWidget> line_;
  QPoint downPos_;
  int maxSize_ = 0;
  int newSize_ = 0;
  int split_ = 0;
};

}  // namespace lum::controls
