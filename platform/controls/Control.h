// What every control of a form has, over any QWidget: its bounds in the
// parent's client area, its alignment, its tab order. The form's own
// controls and the browser's widgets alike take part, so that one layout
// table can describe them all.
#pragma once

#include <QRect>

class QWidget;

namespace lum::controls {

/// Where a control sits in its parent. Aligned controls are placed by kind
/// (first alTop and alBottom, then alLeft and alRight, then alClient), each
/// kind in the order in which the controls were created, and each takes its
/// strip of what is left of the parent's client area. An aligned control
/// keeps its own height (alTop, alBottom) or width (alLeft, alRight).
enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };

/// Places `control` at (left, top) of its parent's client area with the
/// given size and makes it a control of its form: scaling to the screen
/// takes it along. The parent then aligns its children again.
void SetBounds(QWidget& control, int left, int top, int width, int height);
void SetBounds(QWidget& control, const QRect& bounds);
void SetWidth(QWidget& control, int width);
void SetHeight(QWidget& control, int height);

/// True for widgets placed by SetBounds (the form's controls), false for
/// the parts that a control makes for itself.
bool IsControl(const QWidget& widget);

void SetAlign(QWidget& control, TAlign align);
TAlign AlignOf(const QWidget& widget);

/// The control's place among its siblings when the user tabs through the
/// form; applied by ApplyTabOrder.
void SetTabOrder(QWidget& control, int order);
/// Chains the focus of `root`'s descendants: the controls of one parent by
/// their tab order, each followed by its own children.
void ApplyTabOrder(QWidget& root);

}  // namespace lum::controls
