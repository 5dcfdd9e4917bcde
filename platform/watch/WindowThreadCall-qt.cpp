// The hand-over is built from a condition variable rather than a blocking
// queued call into Qt: the wait must end the moment the worker's owner lets
// go of it (also from inside the very function being waited for, and when
// the window's thread never comes back to its event loop), and workers must
// not post to Qt objects that may be going away.
#include "platform/watch/WindowThreadCall.h"

#include <sys/eventfd.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QSocketNotifier>
#include <QThread>
#include <cerrno>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <list>
#include <mutex>
#include <system_error>
#include <thread>

namespace lum::platform {

struct WindowThreadCall::State {
  std::mutex mutex;
  std::condition_variable changed;
  bool cancelled = false;
};

namespace {

using CallState = WindowThreadCall::State;

/// One function handed over; `done` is guarded by the state's mutex.
struct Call {
  std::shared_ptr<CallState> state;
  std::function<void()> function;
  bool done = false;
};

void Cancel(CallState& state) {
  const std::lock_guard<std::mutex> lock(state.mutex);
  state.cancelled = true;
  state.changed.notify_all();
}

void RunCall(Call& call) {
  {
    const std::lock_guard<std::mutex> lock(call.state->mutex);
    if (call.state->cancelled) return;
  }
  // The worker is released also when the function throws on its way to the
  // window framework's handler.
  struct Finish {
    Call& call;
    ~Finish() {
      const std::lock_guard<std::mutex> lock(call.state->mutex);
      call.done = true;
      call.state->changed.notify_all();
    }
  } finish{call};
  call.function();
}

/// Runs the handed-over calls on the window's thread. Workers wake it
/// through an eventfd that a socket notifier watches, so that no worker ever
/// touches a Qt object.
class Dispatcher {
  struct Key {};

 public:
  static std::unique_ptr<Dispatcher> Create();
  Dispatcher(Key, int descriptor);
  ~Dispatcher();
  Dispatcher(const Dispatcher&) = delete;
  Dispatcher& operator=(const Dispatcher&) = delete;

  /// Any thread.
  void Wake();

 private:
  void RunOne();

  int fd_;
  std::unique_ptr<QSocketNotifier> notifier_;
};

struct Worker {
  std::thread thread;
  std::function<void()> stop;
  bool finished = false;  ///< guarded by the registry's mutex
};

/// Every worker thread that may still run, and the calls waiting for the
/// window's thread.
class Registry {
 public:
  ~Registry() { StopAndJoinAll(false); }

  bool Start(std::function<void()> body, std::function<void()> stop);
  bool Hand(const std::shared_ptr<Call>& call);
  std::shared_ptr<Call> TakeNextCall();
  size_t CallsWaiting();
  void StopAndJoinAll(bool disposeDispatcher);

 private:
  bool BindToApplication();

  std::mutex mutex_;
  std::unique_ptr<Dispatcher> dispatcher_;  ///< while the application object exists
  std::thread::id windowThread_;
  std::deque<std::shared_ptr<Call>> calls_;
  std::list<Worker> workers_;
};

Registry& TheRegistry() {
  static Registry registry;
  return registry;
}

// A dispatcher still bound when the process ends (the application object was
// never destroyed) is left alone: Qt may be half torn down by then.
Dispatcher* abandonedDispatcher = nullptr;

void ShutDownWorkers() { TheRegistry().StopAndJoinAll(true); }

std::unique_ptr<Dispatcher> Dispatcher::Create() {
  const int fd = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
  if (fd < 0) return nullptr;
  return std::make_unique<Dispatcher>(Key{}, fd);
}

Dispatcher::Dispatcher(Key, int descriptor)
    : fd_(descriptor), notifier_(std::make_unique<QSocketNotifier>(descriptor, QSocketNotifier::Read)) {
  QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] { RunOne(); });
}

Dispatcher::~Dispatcher() {
  notifier_.reset();
  ::close(fd_);
}

void Dispatcher::Wake() {
  const uint64_t one = 1;
  while (::write(fd_, &one, sizeof one) < 0 && errno == EINTR) {
  }
}

// One call per wake-up: a call that opens a nested event loop (a message
// box) lets the next call run inside it, as the wake is given again first.
void Dispatcher::RunOne() {
  uint64_t count = 0;
  while (::read(fd_, &count, sizeof count) < 0 && errno == EINTR) {
  }
  const std::shared_ptr<Call> call = TheRegistry().TakeNextCall();
  if (call) RunCall(*call);
}

bool Registry::BindToApplication() {
  const QCoreApplication* application = QCoreApplication::instance();
  if (!application || QThread::currentThread() != application->thread()) return false;
  dispatcher_ = Dispatcher::Create();
  if (!dispatcher_) return false;
  windowThread_ = std::this_thread::get_id();
  qAddPostRoutine(&ShutDownWorkers);
  return true;
}

bool Registry::Start(std::function<void()> body, std::function<void()> stop) {
  std::list<Worker> ended;
  bool started = false;
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    if (!dispatcher_ && !BindToApplication()) return false;
    for (auto it = workers_.begin(); it != workers_.end();) {
      if (it->finished) {
        ended.splice(ended.end(), workers_, it++);
      } else {
        ++it;
      }
    }
    Worker& worker = workers_.emplace_back();
    worker.stop = std::move(stop);
    try {
      worker.thread = std::thread([this, &worker, body = std::move(body)] {
        body();
        const std::lock_guard<std::mutex> lock(mutex_);
        worker.finished = true;
      });
      started = true;
    } catch (const std::system_error&) {
      workers_.pop_back();
    }
  }
  // These have ended (or are returning), so joining them takes no time.
  for (Worker& worker : ended) worker.thread.join();
  return started;
}

bool Registry::Hand(const std::shared_ptr<Call>& call) {
  std::unique_lock<std::mutex> lock(mutex_);
  if (!dispatcher_) return false;
  if (std::this_thread::get_id() == windowThread_) {
    lock.unlock();
    RunCall(*call);
    return true;
  }
  calls_.push_back(call);
  dispatcher_->Wake();
  return true;
}

std::shared_ptr<Call> Registry::TakeNextCall() {
  const std::lock_guard<std::mutex> lock(mutex_);
  if (calls_.empty()) return nullptr;
  std::shared_ptr<Call> call = std::move(calls_.front());
  calls_.pop_front();
  if (!calls_.empty() && dispatcher_) dispatcher_->Wake();
  return call;
}

size_t Registry::CallsWaiting() {
  const std::lock_guard<std::mutex> lock(mutex_);
  return calls_.size();
}

// Runs on the window's thread as the application object goes, or at
// process exit: no call is handed over any more, every worker is told to
// stop and every waiting hand-over is cancelled, then the threads are
// joined, so that none outlives what it works for.
void Registry::StopAndJoinAll(bool disposeDispatcher) {
  std::list<Worker> workers;
  std::deque<std::shared_ptr<Call>> calls;
  std::unique_ptr<Dispatcher> dispatcher;
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    workers.swap(workers_);
    calls.swap(calls_);
    dispatcher = std::move(dispatcher_);
  }
  for (const std::shared_ptr<Call>& call : calls) Cancel(*call->state);
  for (Worker& worker : workers) {
    if (worker.stop) worker.stop();
  }
  for (Worker& worker : workers) worker.thread.join();
  if (!disposeDispatcher && dispatcher) abandonedDispatcher = dispatcher.release();
}

}  // namespace

WindowThreadCall::WindowThreadCall() : state_(std::make_shared<State>()) {}

bool WindowThreadCall::Run(const std::function<void()>& function) const {
  {
    const std::lock_guard<std::mutex> lock(state_->mutex);
    if (state_->cancelled) return false;
  }
  const auto call = std::make_shared<Call>(Call{state_, function, false});
  if (!TheRegistry().Hand(call)) return false;
  std::unique_lock<std::mutex> lock(state_->mutex);
  state_->changed.wait(lock, [&] { return call->done || state_->cancelled; });
  return call->done;
}

void WindowThreadCall::Cancel() const { platform::Cancel(*state_); }

size_t WindowThreadCallsWaiting() { return TheRegistry().CallsWaiting(); }

bool StartWorkerThread(std::function<void()> body, std::function<void()> stop) {
  return TheRegistry().Start(std::move(body), std::move(stop));
}

}  // namespace lum::platform
