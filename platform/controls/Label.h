// TLabel: a text on the parent's background that sizes itself to the text.
#pragma once

#include <QLabel>

namespace lum::controls {

class TLabel : public QLabel {
 public:
  explicit TLabel(QWidget* parent);

  /// Sets the text and resizes the label to it, keeping its top left; an
  /// empty text takes the width of a blank.
  void SetCaption(const QString& caption);
  QString Caption() const { return text(); }

 protected:
  void changeEvent(QEvent* event) override;

 private:
  void AdjustSize();
};

}  // namespace lum::controls
