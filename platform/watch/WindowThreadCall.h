// Worker threads whose work is run on the window's thread: the application
// object's thread, which owns every widget. A worker hands a function over
// and waits until it has run there; the worker's owner can cancel the wait
// at any moment, also from inside that very function.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>

namespace lum::platform {

/// A worker's line to the window's thread. Copies share one state: the
/// worker keeps one, its owner another.
class WindowThreadCall {
 public:
  WindowThreadCall();

  /// Worker side: runs `function` on the window's thread and blocks until
  /// it has returned (or thrown there), or until Cancel(). True when it ran
  /// to its end; false when cancelled (the function then runs no more, or is
  /// still finishing on the window's thread) or when there is no
  /// application object to run it. Run on the window's thread itself calls
  /// `function` directly.
  bool Run(const std::function<void()>& function) const;

  /// Any thread: wakes a pending Run at once and keeps this and every later
  /// function from starting. A function that is running already finishes.
  void Cancel() const;

  struct State;

 private:
  std::shared_ptr<State> state_;
};

/// Functions handed to the window's thread that it has not taken up yet,
/// each with its worker waiting in Run. Lets a test see that a worker has
/// handed its change over without running the event loop.
size_t WindowThreadCallsWaiting();

/// Starts `body` on a worker thread. Call it on the window's thread while
/// the application object exists; false otherwise, or when no thread can be
/// made. The thread is not waited for by its starter. When the application
/// object goes away (or the process ends) with the worker still running,
/// `stop` is called, which must make `body` return soon, and the thread is
/// then joined, so that no worker outlives the application.
bool StartWorkerThread(std::function<void()> body, std::function<void()> stop);

}  // namespace lum::platform
