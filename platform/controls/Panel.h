// TPanel: a container with a raised bevel one pixel wide; its aligned
// children share what lies inside the bevel.
#pragma once

#include <QString>
#include <QWidget>

namespace lum::controls {

class TPanel : public QWidget {
 public:
  explicit TPanel(QWidget* parent);

  /// Drawn in the middle, where no child covers it.
  void SetCaption(const QString& caption);
  QString Caption() const { return caption_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QString caption_;
};

}  // namespace lum::controls
