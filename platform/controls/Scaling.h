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
/// height MulDiv(11, P, 96), in the family's condensed face where it has
/// one, as the design's font is narrow. A family without one keeps its own
/// width, which the form's scale absorbs (FormScale); a face narrowed by
/// the font engine would look squashed.
QFont FormFont(int pixelsPerInch);

/// The height of the text "0" in `font`: the font's line height (ascent
/// plus descent), which is what a text of one line takes.
int TextHeight(const QFont& font);

/// `bounds` scaled by numerator ÷ denominator edge by edge, so that
/// controls that touched before still touch.
QRect ScaledBounds(const QRect& bounds, int numerator, int denominator);

/// A scale: numerator ÷ denominator.
struct ScaleFactor {
  int numerator = 1;
  int denominator = 1;
};

/// The width `widget` needs to show its text whole in its font: a group's
/// caption with the inset it is drawn at on either side, a radio item's
/// indicator and text, a bitmap button's caption inside its frame; 0 for
/// anything else.
int TextWidthNeeded(const QWidget& widget);

/// The scale of a form designed at 96 pixels per inch: T ÷ 13, T the text
/// height of `root`'s font, or more where a text below `root` would not
/// fit its control at T ÷ 13; that text then fits with a pixel to spare.
/// So the design fits whatever the font and the resolution, and it stays
/// as it is (1 ÷ 1) where the font has the design's height and its texts
/// fit.
ScaleFactor FormScale(const QWidget& root);

/// Scales every control below `root` (children along with their parents)
/// by numerator ÷ denominator, then aligns them again. `root` itself keeps
/// its size.
void ScaleControls(QWidget& root, int numerator, int denominator);

}  // namespace lum::controls
