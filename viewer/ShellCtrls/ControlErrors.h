// Failures inside the browser controls that no caller can catch: those
// raised while Qt calls in (drawing a row, editing a name, a key, a change
// notice). Qt lets no exception pass, so every such failure goes to one
// handler, which the main window points at its message box.
#pragma once

#include <exception>
#include <functional>
#include <utility>

namespace lum {

using ControlExceptionHandler = std::function<void(const std::exception& failure)>;

/// Puts `handler` in place (an empty one restores the default, which writes
/// the message to standard error); returns the previous one.
ControlExceptionHandler SetControlExceptionHandler(ControlExceptionHandler handler);

/// Hands `failure` to the handler. A handler that raises itself is cut
/// short and the message written to standard error.
void ReportControlException(const std::exception& failure) noexcept;

/// Runs `action`; a failure that escapes it goes to ReportControlException.
/// Use it wherever Qt calls into a control.
template <class Action>
void GuardControl(Action&& action) noexcept {
  try {
    std::forward<Action>(action)();
  } catch (const std::exception& failure) {
    ReportControlException(failure);
  } catch (...) {
    ReportControlException(std::exception());
  }
}

}  // namespace lum
