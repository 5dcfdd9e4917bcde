#include "viewer/ShellCtrls/MenuDeferral.h"

#include <utility>

#include "viewer/ShellCtrls/ControlErrors.h"

namespace lum {

TMenuDeferral::TMenuDeferral(std::function<void()> pending) : pending_(std::move(pending)) {}

bool TMenuDeferral::DeferWhileOpen() {
  if (openMenus_ == 0) return false;
  due_ = true;
  return true;
}

void TMenuDeferral::Run(const std::function<void()>& show) {
  ++openMenus_;
  try {
    show();
  } catch (...) {
    Closed();
    throw;
  }
  Closed();
}

void TMenuDeferral::Closed() noexcept {
  if (--openMenus_ > 0 || !due_) return;
  due_ = false;
  GuardControl(pending_);
}

}  // namespace lum
