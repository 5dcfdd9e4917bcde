#include "platform/watch/ChangeWait.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdint>

#include "platform/watch/ChangeHandle.h"

namespace lum::platform {

std::unique_ptr<WakeSignal> WakeSignal::Create() {
  const int fd = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
  if (fd < 0) return nullptr;
  return std::make_unique<WakeSignal>(Key{}, fd);
}

WakeSignal::~WakeSignal() { ::close(fd_); }

void WakeSignal::Signal() {
  const uint64_t one = 1;
  // EAGAIN means the counter is full, which is as given as it gets.
  while (::write(fd_, &one, sizeof one) < 0 && errno == EINTR) {
  }
}

void WakeSignal::Consume() {
  uint64_t count = 0;
  while (::read(fd_, &count, sizeof count) < 0 && errno == EINTR) {
  }
}

WaitResult WaitForChangeOrWake(ChangeHandle& handle, WakeSignal& wake, int timeoutMs) {
  using Clock = std::chrono::steady_clock;
  const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(timeoutMs < 0 ? 0 : timeoutMs);
  for (;;) {
    pollfd descriptors[2] = {{wake.Descriptor(), POLLIN, 0}, {handle.Descriptor(), POLLIN, 0}};
    int wait = -1;
    if (timeoutMs >= 0) {
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
      wait = left > 0 ? static_cast<int>(left) : 0;
    }
    // A handle signalled by events read earlier must not sleep through.
    if (handle.Signalled()) wait = 0;
    const int ready = ::poll(descriptors, 2, wait);
    if (ready < 0) {
      if (errno == EINTR) continue;
      return WaitResult::kFailed;
    }
    if (descriptors[0].revents & POLLIN) return WaitResult::kWake;
    if (handle.Signalled()) return WaitResult::kChange;
    if ((descriptors[0].revents | descriptors[1].revents) & (POLLERR | POLLNVAL)) return WaitResult::kFailed;
    if (descriptors[1].revents & POLLIN) {
      if (!handle.ReadEvents()) return WaitResult::kFailed;
      continue;
    }
    if (ready == 0 && timeoutMs >= 0) return WaitResult::kTimeout;
  }
}

}  // namespace lum::platform
