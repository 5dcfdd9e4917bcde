// Waiting for a change handle and a wake signal at once: the worker of a
// folder watcher sleeps here until its folder changes or its owner wants it.
#pragma once

#include <memory>

namespace lum::platform {

class ChangeHandle;

/// A signal one thread gives to wake another out of WaitForChangeOrWake.
/// It stays given until consumed, so a signal given before the wait starts
/// is not lost.
class WakeSignal {
  struct Key {};

 public:
  /// Null when the process has no descriptor left.
  static std::unique_ptr<WakeSignal> Create();

  WakeSignal(Key, int descriptor) : fd_(descriptor) {}
  ~WakeSignal();
  WakeSignal(const WakeSignal&) = delete;
  WakeSignal& operator=(const WakeSignal&) = delete;

  /// Any thread.
  void Signal();
  /// Takes back every signal given so far.
  void Consume();

  int Descriptor() const { return fd_; }

 private:
  int fd_;
};

enum class WaitResult { kChange, kWake, kTimeout, kFailed };

/// Waits until `handle` is signalled (kChange) or `wake` is given (kWake;
/// it is not consumed), reading the handle's events as they come. A given
/// wake signal is reported first. `timeoutMs` < 0 waits without limit.
WaitResult WaitForChangeOrWake(ChangeHandle& handle, WakeSignal& wake, int timeoutMs = -1);

}  // namespace lum::platform
