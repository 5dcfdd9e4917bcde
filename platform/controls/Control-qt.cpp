#include "platform/controls/Control.h"

#include <QVariant>
#include <QWidget>
#include <algorithm>
#include <vector>

#include "platform/controls/AlignArea.h"

namespace lum::controls {

namespace {

constexpr const char* kControl = "lumControl";
constexpr const char* kAlign = "lumAlign";
constexpr const char* kTabOrder = "lumTabOrder";

void RealignParent(const QWidget& control) {
  if (AlignArea* area = AlignArea::Of(control.parentWidget())) area->Realign();
}

std::vector<QWidget*> ChildWidgets(const QWidget& parent) {
  if (const AlignArea* area = AlignArea::Of(&parent)) return area->Children();
  std::vector<QWidget*> result;
  for (QObject* child : parent.children()) {
    if (child->isWidgetType() && !static_cast<QWidget*>(child)->isWindow()) result.push_back(static_cast<QWidget*>(child));
  }
  return result;
}

int TabOrderOf(const QWidget& widget) {
  const QVariant order = widget.property(kTabOrder);
  return order.isValid() ? order.toInt() : -1;
}

void ChainFocus(QWidget& parent, QWidget*& previous) {
  std::vector<QWidget*> children = ChildWidgets(parent);
  // Controls with a tab order first, by that order; the rest (the parts a
  // control made for itself) keep the order in which they were made.
  std::stable_sort(children.begin(), children.end(), [](const QWidget* a, const QWidget* b) {
    const int orderA = TabOrderOf(*a);
    const int orderB = TabOrderOf(*b);
    if (orderA < 0 || orderB < 0) return orderA >= 0 && orderB < 0;
    return orderA < orderB;
  });
  for (QWidget* child : children) {
    if (child->focusPolicy() & Qt::TabFocus) {
      if (previous) QWidget::setTabOrder(previous, child);
      previous = child;
    }
    ChainFocus(*child, previous);
  }
}

}  // namespace

void SetBounds(QWidget& control, int left, int top, int width, int height) {
  control.setProperty(kControl, true);
  control.setGeometry(left, top, std::max(0, width), std::max(0, height));
  // A hidden container hears of its new size only when shown.
  if (AlignArea* own = AlignArea::Of(&control)) own->Realign();
  RealignParent(control);
}

void SetBounds(QWidget& control, const QRect& bounds) {
  SetBounds(control, bounds.x(), bounds.y(), bounds.width(), bounds.height());
}

void SetWidth(QWidget& control, int width) { SetBounds(control, control.x(), control.y(), width, control.height()); }

void SetHeight(QWidget& control, int height) { SetBounds(control, control.x(), control.y(), control.width(), height); }

bool IsControl(const QWidget& widget) { return widget.property(kControl).toBool(); }

void SetAlign(QWidget& control, TAlign align) {
  control.setProperty(kAlign, static_cast<int>(align));
  RealignParent(control);
}

TAlign AlignOf(const QWidget& widget) {
  const QVariant align = widget.property(kAlign);
  return align.isValid() ? static_cast<TAlign>(align.toInt()) : alNone;
}

void SetTabOrder(QWidget& control, int order) { control.setProperty(kTabOrder, order); }

void ApplyTabOrder(QWidget& root) {
  QWidget* previous = nullptr;
  ChainFocus(root, previous);
}

}  // namespace lum::controls
