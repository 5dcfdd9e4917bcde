#include "platform/controls/Scaling.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QRadioButton>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionButton>
#include <QWidget>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include "platform/controls/AlignArea.h"
#include "platform/controls/BitBtn.h"
#include "platform/controls/Control.h"
#include "platform/controls/GroupBox.h"
#include "platform/controls/RadioGroup.h"

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

namespace {

// A text whose width stands for a face's width.
int SampleWidth(const QFont& font) {
  return QFontMetrics(font).horizontalAdvance(
      QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
}

// The family's condensed face, upright and of `regular`'s weight, if it has
// one that is narrower than `regular` by a twentieth at least: a family of
// its own ("Liberation Sans Narrow") or a face of the family that the font
// matcher picks for a narrower stretch ("DejaVu Sans" "Condensed"). That
// face is then asked for by its name, not by a stretch, so that the font
// engine narrows nothing itself. `regular` when there is none.
QFont CondensedFace(const QFont& regular) {
  const QFontInfo regularInfo(regular);
  const QString family = regularInfo.family();
  std::vector<QFont> faces;
  for (const char* suffix : {" Condensed", " SemiCondensed", " Semi Condensed", " Narrow"}) {
    const QString name = family + QLatin1String(suffix);
    if (!QFontDatabase::hasFamily(name)) continue;
    QFont face(regular);
    face.setFamilies({name});
    faces.push_back(face);
  }
  QFont stretched(regular);
  stretched.setStretch(QFont::SemiCondensed);
  const QString style = QFontInfo(stretched).styleName();
  if (style != regularInfo.styleName() &&
      QFontDatabase::weight(family, style) == QFontDatabase::weight(family, regularInfo.styleName())) {
    QFont face(regular);
    face.setStyleName(style);
    faces.push_back(face);
  }
  const int regularWidth = SampleWidth(regular);
  QFont chosen = regular;
  int chosenWidth = 0;
  for (const QFont& face : faces) {
    const int width = SampleWidth(face);
    if (width * 20 <= regularWidth * 19 && width > chosenWidth) {
      chosen = face;
      chosenWidth = width;
    }
  }
  return chosen;
}

}  // namespace

QFont FormFont(int pixelsPerInch) {
  QFont regular(QFontInfo(QFontDatabase::systemFont(QFontDatabase::GeneralFont)).family());
  regular.setStyleHint(QFont::SansSerif);
  regular.setPixelSize(MulDiv(kDesignFontPixels, pixelsPerInch, kDesignPixelsPerInch));
  return CondensedFace(regular);
}

int TextHeight(const QFont& font) { return QFontMetrics(font).height(); }

QRect ScaledBounds(const QRect& bounds, int numerator, int denominator) {
  const int left = MulDiv(bounds.x(), numerator, denominator);
  const int top = MulDiv(bounds.y(), numerator, denominator);
  const int right = MulDiv(bounds.x() + bounds.width(), numerator, denominator);
  const int bottom = MulDiv(bounds.y() + bounds.height(), numerator, denominator);
  return QRect(left, top, right - left, bottom - top);
}

int TextWidthNeeded(const QWidget& widget) {
  const QFontMetrics metrics(widget.font());
  if (const auto* group = dynamic_cast<const TGroupBox*>(&widget)) {
    if (group->Caption().isEmpty()) return 0;
    return metrics.horizontalAdvance(group->Caption()) + 2 * TGroupBox::kCaptionInset;
  }
  if (const auto* item = qobject_cast<const QRadioButton*>(&widget)) {
    QStyleOptionButton option;
    option.initFrom(item);
    option.text = item->text();
    const QRect text = item->style()->subElementRect(QStyle::SE_RadioButtonContents, &option, item);
    return text.left() + metrics.horizontalAdvance(item->text());
  }
  if (const auto* button = dynamic_cast<const TBitBtn*>(&widget)) {
    constexpr int kAir = 2;  // between the frame and the caption, on either side
    return metrics.horizontalAdvance(button->Caption()) + 2 * (TBitBtn::kFrame + kAir);
  }
  return 0;
}

ScaleFactor FormScale(const QWidget& root) {
  ScaleFactor scale{TextHeight(root.font()), kDesignTextHeight};
  for (const QWidget* widget : root.findChildren<QWidget*>()) {
    int needed = TextWidthNeeded(*widget);
    int designed = widget->width();
    // A radio item's cell is its group's width less fixed margins, so it is
    // the group that must grow: below a scale of 1 the cell shrinks faster
    // than its group.
    if (const auto* group = dynamic_cast<const TRadioGroup*>(widget->parentWidget());
        group && needed > 0 && qobject_cast<const QRadioButton*>(widget)) {
      needed = TRadioGroup::GroupWidthForCells(needed, group->Columns());
      designed = group->width();
    }
    if (needed == 0 || designed <= 0) continue;
    // Each edge is rounded when scaled, so a text that sets the scale gets
    // a pixel more than it needs.
    if (int64_t{needed} * scale.denominator > int64_t{designed} * scale.numerator) scale = {needed + 1, designed};
  }
  return scale;
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
