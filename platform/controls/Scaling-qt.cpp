#include "platform/controls/Scaling.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <cmath>
#include <cstdint>
#include <limits>

#include "platform/controls/AlignArea.h"
#include "platform/controls/Control.h"

namespace lum::controls {

int MulDiv(int number, int numerator, int denominator) {
  if (denominator == 0) return -1;
  const int64_t product = int64_t{number} * numerator;
  const bool negative = (product < 0) != (denominator < 0);
  const uint64_t magnitude = static_cast<uint64_t>(product < 0 ? -product : product);
  const uint64_t divisor = static_cast<uint64_t>(denominator < 0 ? -int64_t{denominator} : int64_t{denominator});
  const uint64_t quotient = (magnitude + divisor / 2) / divisor;
  if (quotient > static_cast<uint64_t>(std::numeric_limits<int>::max())) return -1;
  return negative ? -static_cast<int>(quotient) : static_cast<int>(quotient);
}

int ScreenPixelsPerInch() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return kDesignPixelsPerInch;
  return static_cast<int>(std::lround(screen->logicalDotsPerInch()));
}

QFont FormFont(int pixelsPerInch) {
  QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
  font.setStyleHint(QFont::SansSerif);
  // The design's font is narrower than the sans-serif faces of a Linux
  // desktop; at 80 % width the captions fit the design's columns again,
  // at the design's height. Qt narrows a face that has no narrow cut.
  font.setStretch(80);
  font.setPixelSize(MulDiv(kDesignFontPixels, pixelsPerInch, kDesignPixelsPerInch));
  return font;
}

int TextHeight(const QFont& font) { return QFontMetrics(font).height(); }

QRect ScaledBounds(const QRect& bounds, int numerator, int denominator) {
  const int left = MulDiv(bounds.x(), numerator, denominator);
  const int top = MulDiv(bounds.y(), numerator, denominator);
  const int right = MulDiv(bounds.x() + bounds.width(), numerator, denominator);
  const int bottom = MulDiv(bounds.y() + bounds.height(), numerator, denominator);
  return QRect(left, top, right - left, bottom - top);
}

namespace {

void ScaleChildren(QWidget& parent, int numerator, int denominator) {
  for (QObject* object : parent.children()) {
    if (!object->isWidgetType()) continue;
    auto& child = *static_cast<QWidget*>(object);
    if (!IsControl(child)) continue;
    child.setGeometry(ScaledBounds(child.geometry(), numerator, denominator));
    ScaleChildren(child, numerator, denominator);
  }
}

}  // namespace

void ScaleControls(QWidget& root, int numerator, int denominator) {
  {
    const AlignSuspension suspension;
    ScaleChildren(root, numerator, denominator);
    AlignArea::RealignTree(root);
  }
}

}  // namespace lum::controls
