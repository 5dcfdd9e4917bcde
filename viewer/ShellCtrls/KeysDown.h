// The keys a control has seen pressed and not yet released. A release
// counts only when its press was the control's: one whose press went to a
// message box (which closed on it) is not the control's to act on.
#pragma once

#include <QKeyEvent>
#include <vector>

namespace lum {

class TKeysDown {
 public:
  void Pressed(const QKeyEvent& event);
  /// Whether `event` releases a key pressed here. An auto-repeated release
  /// leaves the key down.
  bool Released(const QKeyEvent& event);
  /// The control lost the keyboard: no release is its own any more.
  void Clear() { keys_.clear(); }

 private:
  struct Key {
    int key;
    quint32 scanCode;  ///< 0 when the platform gives none
  };
  static bool Same(const Key& key, const QKeyEvent& event);

  std::vector<Key> keys_;
};

}  // namespace lum
