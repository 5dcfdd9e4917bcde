// Scaling a form designed at 96 pixels per inch to the screen: the font
// height follows the screen's logical resolution, and when a text no longer
// has the design height every control is rescaled with it.
#pragma once

#include <QFont>
#include <QRect>

class QWidget;

namespace lum::controls {

/// The resolution the forms are designed at.
constexpr int kDesignPixelsPerInch = 96;
/// The height of the text "0" in the design font.
constexpr int kDesignTextHeight = 13;
/// The design font's height in pixels at kDesignPixelsPerInch.
constexpr int kDesignFontPixels = 11;

/// number × numerator ÷ denominator, rounded to the nearest integer, halves
/// away from zero, without overflow in between; -1 when `denominator` is 0
/// or the result does not fit.
int MulDiv(int number, int numerator, int denominator);

/// The screen's logical pixels per inch (P), rounded. Qt scales a window for
/// a high-density screen by itself (its device pixel ratio), so this is the
/// resolution left for the program to scale by, 96 on most screens.
int ScreenPixelsPerInch();

/// The forms' font at P pixels per inch: the desktop's sans-serif at pixel
/// height MulDiv(11, P, 96).
QFont FormFont(int pixelsPerInch);

/// The height of the text "0" in `font`: the font's line height (ascent
/// plus descent), which is what a text of one line takes.
int TextHeight(const QFont& font);

/// `bounds` scaled by numerator ÷ denominator edge by edge, so that
/// controls that touched before still touch.
QRect ScaledBounds(const QRect& bounds, int numerator, int denominator);

/// Scales every control below `root` (children along with their parents)
/// by numerator ÷ denominator, then aligns them again. `root` itself keeps
/// its size.
void ScaleControls(QWidget& root, int numerator, int denominator);

}  // namespace lum::controls
