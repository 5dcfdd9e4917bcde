// Names of files and folders and the system's messages reach the screen
// through these helpers only. Qt guesses the format of a label's, a message
// box's or a tooltip's text, and renders anything that looks like markup as
// HTML, loading each <img src=...> in it with a blocking read: a file named
// "<img src=file:%2Fdev%2Fzero>.kvx" would freeze the window. Everything
// made here shows its text character for character. tests/check-plain-text
// keeps the rest of the program from making such widgets itself.
#pragma once

#include <QMessageBox>
#include <QString>
#include <memory>

class QInputDialog;
class QLabel;
class QPoint;
class QRect;
class QWidget;

namespace lum::controls {

/// A label that shows `text` as it is.
std::unique_ptr<QLabel> MakePlainLabel(const QString& text);

/// A message box whose text is shown as it is.
std::unique_ptr<QMessageBox> MakePlainMessageBox(QMessageBox::Icon icon, const QString& caption,
                                                 const QString& text, QWidget* parent);

/// A dialog that asks for a line of text, its prompt shown as it is.
std::unique_ptr<QInputDialog> MakePlainInputDialog(const QString& title, const QString& prompt, QWidget* parent);

/// `text` escaped for a tooltip, which Qt takes for markup whenever it looks
/// like some: the tooltip then shows the characters of `text`, spaces and
/// line breaks included.
QString PlainToolTip(const QString& text);

/// QToolTip::showText for a text shown as it is.
void ShowPlainToolTip(const QPoint& at, const QString& text, QWidget* widget, const QRect& rect, int msecs = -1);

/// `text` as a window title shows it: Qt hides a "[*]" in a title (its mark
/// for unsaved changes) unless it is doubled.
QString PlainWindowTitle(const QString& text);

}  // namespace lum::controls
