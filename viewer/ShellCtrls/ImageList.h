// An image list of the application's own for a browser control, in place
// of the shell's system image list: icons by index, all of one size.
#pragma once

#include <QIcon>
#include <vector>

namespace lum {

class TImageList {
 public:
  explicit TImageList(int iconSize = 16) : iconSize_(iconSize) {}

  /// Appends `icon`; its index.
  int Add(const QIcon& icon) {
    icons_.push_back(icon);
    return static_cast<int>(icons_.size()) - 1;
  }
  int Count() const { return static_cast<int>(icons_.size()); }
  /// The icon at `index`; a null icon outside the list.
  QIcon Icon(int index) const { return index >= 0 && index < Count() ? icons_[static_cast<size_t>(index)] : QIcon(); }
  int IconSize() const { return iconSize_; }

 private:
  int iconSize_;
  std::vector<QIcon> icons_;
};

}  // namespace lum
