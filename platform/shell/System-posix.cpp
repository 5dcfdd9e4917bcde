#include "platform/shell/System.h"

#include <errno.h>
#include <unistd.h>

#include <atomic>
#include <vector>

namespace lum::shell {

std::string GetCurrentDirectory() {
  std::vector<char> buffer(256);
  while (::getcwd(buffer.data(), buffer.size()) == nullptr) {
    if (errno != ERANGE) return {};
    buffer.resize(buffer.size() * 2);
  }
  return buffer.data();
}

bool SetCurrentDirectory(const std::string& path) { return !path.empty() && ::chdir(path.c_str()) == 0; }

namespace {
std::atomic<int> initialised{0};
std::atomic<UINT> errorMode{0};
}  // namespace

HRESULT OleInitialize(void*) { return initialised++ == 0 ? S_OK : S_FALSE; }

void OleUninitialize() {
  if (initialised > 0) --initialised;
}

UINT SetErrorMode(UINT mode) { return errorMode.exchange(mode); }

}  // namespace lum::shell
