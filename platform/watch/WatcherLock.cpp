#include "platform/watch/WatcherLock.h"

namespace lum::platform {

namespace {
// Constant-initialised: it exists before any code of the process runs and
// outlives every worker, whatever the order of static destruction.
std::mutex watcherLock;
}  // namespace

std::mutex& WatcherLock() { return watcherLock; }

}  // namespace lum::platform
