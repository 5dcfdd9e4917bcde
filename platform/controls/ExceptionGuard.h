// One guard for every failure that would otherwise reach Qt's event loop,
// which lets no exception pass. Every handler, control callback and notifier
// callback that Qt calls runs through Guard; the application object's
// notify() catches whatever still escapes.
#pragma once

#include <QString>
#include <exception>
#include <functional>
#include <string>
#include <utility>

namespace lum::controls {

/// Shows a failure that reached the message loop: a message box with the
/// failure's text (see ExceptionText), the application title as caption, an
/// OK button and the error icon, owned by the active window so that the
/// program's windows are disabled while it is open. The program then goes
/// on. A mouse capture in force is cancelled first.
void HandleException(const std::string& message) noexcept;

/// HandleException once the current event is done, for a failure raised
/// where no box may open (while a control draws itself, say). Reports made
/// while one is waiting or its box is open are dropped, so a failure that
/// recurs with every repaint shows one box, not a box per repaint.
void PostException(const std::string& message) noexcept;

/// Runs `handler`; a failure that escapes it is shown by HandleException,
/// and the caller goes on. Use it where Qt calls in: a failure raised
/// further down travels up to the nearest guard, stopping every handler on
/// its way.
template <class Handler>
void Guard(Handler&& handler) noexcept {
  try {
    std::forward<Handler>(handler)();
  } catch (const std::exception& failure) {
    HandleException(failure.what());
  } catch (...) {
    HandleException(std::string());
  }
}

/// Shows the box in place of a QMessageBox (a test records it, so that
/// nothing blocks); an empty one restores the real box. Returns the one it
/// replaces.
using ExceptionBox = std::function<void(const QString& caption, const QString& text)>;
ExceptionBox SetExceptionBox(ExceptionBox box);

/// The application title: TitleFromProgramFile of the running program.
QString ApplicationTitle();

}  // namespace lum::controls
