// Scopes the browser controls open around their work: an action that runs
// when the scope ends, and the hourglass while a folder is read.
#pragma once

#include <QCursor>
#include <QGuiApplication>
#include <utility>

namespace lum {

/// Runs its action when the scope ends, also when it is left by a failure.
template <class Action>
class OnExit {
 public:
  explicit OnExit(Action action) : action_(std::move(action)) {}
  ~OnExit() { action_(); }
  OnExit(const OnExit&) = delete;
  OnExit& operator=(const OnExit&) = delete;

 private:
  Action action_;
};

/// The hourglass while a folder is read.
class WaitCursor {
 public:
  WaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
  ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;
};

}  // namespace lum
