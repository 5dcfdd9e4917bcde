#include "viewer/ShellCtrls/ShellChangeThread.h"

#include <mutex>
#include <utility>

#include "platform/watch/ChangeHandle.h"
#include "platform/watch/ChangeWait.h"
#include "platform/watch/WatcherLock.h"

namespace lum {

TShellChangeThread::Link::Link(Key, std::unique_ptr<platform::WakeSignal> wake, TWatchSettings settings)
    : settings_(std::move(settings)), wake_(std::move(wake)) {}

TShellChangeThread::Link::~Link() = default;

bool TShellChangeThread::Link::SetDirectoryOptions(const TWatchSettings& settings) {
  {
    const std::lock_guard<std::mutex> lock(platform::WatcherLock());
    if (ended_ || terminated_) return false;
    settings_ = settings;
    settingsChanged_ = true;
  }
  // The worker closes its handle and opens one with the new settings.
  wake_->Signal();
  return true;
}

void TShellChangeThread::Link::Terminate() {
  {
    const std::lock_guard<std::mutex> lock(platform::WatcherLock());
    terminated_ = true;
  }
  wake_->Signal();
  windowThread_.Cancel();
}

bool TShellChangeThread::Link::Running() const {
  const std::lock_guard<std::mutex> lock(platform::WatcherLock());
  return !ended_;
}

std::shared_ptr<TShellChangeThread::Link> TShellChangeThread::Start(const TWatchSettings& settings,
                                                                    std::function<void()> change) {
  std::unique_ptr<platform::WakeSignal> wake = platform::WakeSignal::Create();
  if (!wake) return nullptr;
  auto link = std::make_shared<Link>(Key{}, std::move(wake), settings);
  auto worker = std::make_shared<TShellChangeThread>(Key{}, link, std::move(change));
  // The thread holds the only reference to its worker and drops it when
  // Execute ends: the worker frees itself, on its own thread.
  const bool started = platform::StartWorkerThread(
      [worker = std::move(worker)]() mutable {
        worker->Execute();
        worker.reset();
      },
      [link] { link->Terminate(); });
  return started ? link : nullptr;
}

TShellChangeThread::TShellChangeThread(Key, std::shared_ptr<Link> link, std::function<void()> change)
    : link_(std::move(link)), change_(std::move(change)) {}

TShellChangeThread::~TShellChangeThread() {
  handle_.reset();
  const std::lock_guard<std::mutex> lock(platform::WatcherLock());
  link_->ended_ = true;
}

// Takes new settings if there are any; tells whether the worker is to stop.
bool TShellChangeThread::TakeNewSettings(TWatchSettings* settings, bool* terminated) {
  const std::lock_guard<std::mutex> lock(platform::WatcherLock());
  *terminated = link_->terminated_;
  if (link_->terminated_ || !link_->settingsChanged_) return false;
  *settings = link_->settings_;
  link_->settingsChanged_ = false;
  return true;
}

// Opens a handle with `settings`. When the folder cannot be watched, the
// settings handed over meanwhile are tried in their turn; with none left the
// worker counts as ended in the same locked section, so that the next
// hand-over starts a new worker instead of going to this one, which leaves.
std::unique_ptr<platform::ChangeHandle> TShellChangeThread::OpenHandle(TWatchSettings* settings) {
  for (;;) {
    auto handle = platform::ChangeHandle::Open(settings->directory, settings->watchSubTree, settings->filterBits);
    if (handle) return handle;
    const std::lock_guard<std::mutex> lock(platform::WatcherLock());
    if (link_->terminated_ || !link_->settingsChanged_) {
      link_->ended_ = true;
      return nullptr;
    }
    *settings = link_->settings_;
    link_->settingsChanged_ = false;
  }
}

void TShellChangeThread::Execute() {
  TWatchSettings settings;
  bool terminated = false;
  {
    const std::lock_guard<std::mutex> lock(platform::WatcherLock());
    if (link_->terminated_) return;
    settings = link_->settings_;
    link_->settingsChanged_ = false;
  }
  // Opened without the lock: a sub-tree is scanned while it is opened, and
  // the window's thread must not wait for that. Settings handed over in the
  // meantime wake the wait below and are taken then.
  handle_ = OpenHandle(&settings);
  while (handle_) {
    const platform::WaitResult result = platform::WaitForChangeOrWake(*handle_, *link_->wake_);
    if (result == platform::WaitResult::kFailed) return;
    if (result == platform::WaitResult::kChange) {
      link_->windowThread_.Run(change_);
      handle_->FindNext();
    } else {
      link_->wake_->Consume();
    }
    const bool reopen = TakeNewSettings(&settings, &terminated);
    if (terminated) return;
    if (reopen) {
      // The old handle goes first: its watches count against the user's limit.
      handle_.reset();
      handle_ = OpenHandle(&settings);
    }
  }
}

}  // namespace lum
