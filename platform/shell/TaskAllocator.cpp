#include "platform/shell/TaskAllocator.h"

#include <cstdlib>

namespace lum::shell {

namespace {

class TaskAllocator final : public ComBase<IMalloc> {
 public:
  HRESULT QueryInterface(REFIID iid, void** object) override {
    return Offer(iid == IID_IUnknown || iid == IID_IMalloc, object);
  }
  void* Alloc(size_t size) override { return std::calloc(size == 0 ? 1 : size, 1); }
  void Free(void* block) override { std::free(block); }
};

}  // namespace

HRESULT SHGetMalloc(ComPtr<IMalloc>& allocator) {
  // One allocator for the life of the process; its last reference is never
  // dropped, so blocks can be freed from anywhere, also during exit.
  static IMalloc* const instance = MakeComObject<TaskAllocator>().Detach();
  allocator = ComPtr<IMalloc>(instance);
  return S_OK;
}

}  // namespace lum::shell
