// The shell's task allocator: the memory in which item ID lists live.
#pragma once

#include <cstddef>

#include "platform/shell/ComPtr.h"

namespace lum::shell {

class IMalloc : public IUnknown {
 public:
  static constexpr const IID& kIid = IID_IMalloc;
  /// A zero-filled block of `size` bytes, or null when memory is short.
  virtual void* Alloc(size_t size) = 0;
  /// Frees a block from Alloc; null is ignored.
  virtual void Free(void* block) = 0;
};

/// The process-wide task allocator.
HRESULT SHGetMalloc(ComPtr<IMalloc>& allocator);

}  // namespace lum::shell
