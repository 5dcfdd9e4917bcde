// The watcher lock: one process-wide lock shared by every folder watcher's
// worker and by the window thread when it hands new settings to a worker.
#pragma once

#include <mutex>

namespace lum::platform {

/// Hold it only to store or take settings and flags; never while waiting or
/// while a change is being handled.
std::mutex& WatcherLock();

}  // namespace lum::platform
