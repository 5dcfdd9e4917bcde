// The worker of a folder change watcher: it waits for changes of one folder
// and has each one handled on the window's thread by its notifier.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/watch/WindowThreadCall.h"

namespace lum::platform {
class ChangeHandle;
class WakeSignal;
}  // namespace lum::platform

namespace lum {

/// What a worker watches: a folder, whether the folders below it count, and
/// the change kinds as platform filter bits.
struct TWatchSettings {
  std::string directory;
  bool watchSubTree = true;
  uint32_t filterBits = 0;
};

class TShellChangeThread {
  struct Key {};

 public:
  /// The notifier's hold on its worker, shared with the worker. The worker
  /// frees itself and may end first, so the notifier never holds the worker
  /// itself. Settings and flags are guarded by the watcher lock.
  class Link {
   public:
    Link(Key, std::unique_ptr<platform::WakeSignal> wake, TWatchSettings settings);
    ~Link();
    Link(const Link&) = delete;
    Link& operator=(const Link&) = delete;

    /// Window's thread: hands new settings to the worker, which from then
    /// on watches with them. False when the worker has ended already.
    bool SetDirectoryOptions(const TWatchSettings& settings);

    /// Lets go of the worker: it ends promptly and frees itself, also when
    /// it is waiting for a change to be handled, and runs no change any
    /// more. Never waits for the worker.
    void Terminate();

    /// Whether the worker still runs: it ends by itself when its folder
    /// cannot be watched.
    bool Running() const;

   private:
    friend class TShellChangeThread;

    TWatchSettings settings_;
    bool settingsChanged_ = false;
    bool terminated_ = false;
    bool ended_ = false;
    const std::unique_ptr<platform::WakeSignal> wake_;  ///< the stop and new-settings signal
    const platform::WindowThreadCall windowThread_;
  };

  /// Starts a worker that watches with `settings` and, for each change,
  /// runs `change` on the window's thread and waits until it has returned.
  /// Null when no worker can be started (no application object, or no
  /// descriptor or thread left).
  static std::shared_ptr<Link> Start(const TWatchSettings& settings, std::function<void()> change);

  TShellChangeThread(Key, std::shared_ptr<Link> link, std::function<void()> change);
  /// Closes the change handle and tells the link that the worker has ended.
  ~TShellChangeThread();
  TShellChangeThread(const TShellChangeThread&) = delete;
  TShellChangeThread& operator=(const TShellChangeThread&) = delete;

 private:
  void Execute();
  std::unique_ptr<platform::ChangeHandle> OpenHandle(TWatchSettings* settings);
  bool TakeNewSettings(TWatchSettings* settings, bool* terminated);

  const std::shared_ptr<Link> link_;
  const std::function<void()> change_;
  std::unique_ptr<platform::ChangeHandle> handle_;
};

}  // namespace lum
