#include "viewer/ShellCtrls/KeysDown.h"

#include <algorithm>

namespace lum {

// The scan code stays when a modifier changes what the key means between its
// press and its release (Shift+2); events made without one compare by key.
bool TKeysDown::Same(const Key& key, const QKeyEvent& event) {
  if (key.scanCode != 0 && event.nativeScanCode() != 0) return key.scanCode == event.nativeScanCode();
  return key.key == event.key();
}

void TKeysDown::Pressed(const QKeyEvent& event) {
  const auto same = [&](const Key& key) { return Same(key, event); };
  if (std::none_of(keys_.begin(), keys_.end(), same)) keys_.push_back({event.key(), event.nativeScanCode()});
}

bool TKeysDown::Released(const QKeyEvent& event) {
  const auto found = std::find_if(keys_.begin(), keys_.end(), [&](const Key& key) { return Same(key, event); });
  if (found == keys_.end()) return false;
  if (!event.isAutoRepeat()) keys_.erase(found);
  return true;
}

}  // namespace lum
