// A shell context menu runs its own event loop, in which a change notice
// may arrive. Work that would replace the items the menu was opened for
// (a re-scan, a reload) waits until the last open menu has closed.
#pragma once

#include <functional>

namespace lum {

class TMenuDeferral {
 public:
  /// `pending` is the work that waits; it runs at most once per closing.
  explicit TMenuDeferral(std::function<void()> pending);

  /// True while a menu is open: the work is then due once the menu has
  /// closed, and the caller does nothing now.
  bool DeferWhileOpen();

  /// Runs `show` with a menu counted as open. When the last open menu has
  /// closed and the work was deferred meanwhile, it runs; its failures go
  /// to ReportControlException, those of `show` to the caller.
  void Run(const std::function<void()>& show);

 private:
  void Closed() noexcept;

  std::function<void()> pending_;
  int openMenus_ = 0;
  bool due_ = false;
};

}  // namespace lum
