#include "platform/controls/GroupBox.h"

#include "platform/controls/AlignArea.h"
#include "platform/controls/Scaling.h"

namespace lum::controls {

TGroupBox::TGroupBox(QWidget* parent) : QGroupBox(parent) {
  new AlignArea(*this, [this] { return ClientRect(); });
}

QRect TGroupBox::ClientRect() const { return rect().adjusted(2, TextHeight(font()) + 2, -2, -2); }

}  // namespace lum::controls
