// Reference-counted shell objects: the IUnknown root, the smart pointer that
// holds them, and the base that implements the count.
//
// Every interface of this layer derives from IUnknown in one single chain
// (IShellFolder2 -> IShellFolder -> IUnknown), so an object's interfaces all
// share one address and QueryInterface can hand out `this` for each IID the
// object offers. Product code never calls AddRef or Release: ComPtr does.
#pragma once

#include <atomic>
#include <cstddef>
#include <utility>

#include "platform/shell/ShellTypes.h"

namespace lum::shell {

class IUnknown {
 public:
  static constexpr const IID& kIid = IID_IUnknown;
  /// Gives a counted pointer to the interface `iid` in `*object`, or sets
  /// it to null and answers E_NOINTERFACE.
  virtual HRESULT QueryInterface(REFIID iid, void** object) = 0;
  virtual ULONG AddRef() = 0;
  virtual ULONG Release() = 0;

 protected:
  virtual ~IUnknown() = default;
};

/// Holds one reference to an interface.
template <typename T>
class ComPtr {
 public:
  ComPtr() = default;
  ComPtr(std::nullptr_t) {}
  /// Takes a new reference to `object`.
  explicit ComPtr(T* object) : object_(object) { AddRefHeld(); }
  ComPtr(const ComPtr& other) : object_(other.object_) { AddRefHeld(); }
  ComPtr(ComPtr&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
  template <typename U>
  ComPtr(const ComPtr<U>& other) : object_(other.Get()) { AddRefHeld(); }
  template <typename U>
  ComPtr(ComPtr<U>&& other) noexcept : object_(other.Detach()) {}
  ~ComPtr() { Reset(); }

  ComPtr& operator=(ComPtr other) noexcept {
    std::swap(object_, other.object_);
    return *this;
  }

  /// Adopts a pointer that already carries a reference (a new object).
  static ComPtr Adopt(T* object) {
    ComPtr held;
    held.object_ = object;
    return held;
  }

  T* Get() const { return object_; }
  T* operator->() const { return object_; }
  T& operator*() const { return *object_; }
  explicit operator bool() const { return object_ != nullptr; }

  void Reset() {
    if (object_) std::exchange(object_, nullptr)->Release();
  }
  T* Detach() { return std::exchange(object_, nullptr); }

  /// For out-parameters of the `REFIID, void**` kind: drops what is held
  /// and lets the callee store a counted pointer.
  void** PutVoid() {
    Reset();
    return reinterpret_cast<void**>(&object_);
  }

  /// Asks the held object for the interface U (by U's IID) into `out`.
  template <typename U>
  HRESULT As(ComPtr<U>& out) const {
    if (!object_) {
      out.Reset();
      return E_POINTER;
    }
    return object_->QueryInterface(U::kIid, out.PutVoid());
  }

 private:
  void AddRefHeld() {
    if (object_) object_->AddRef();
  }
  T* object_ = nullptr;
};

/// Implements the count for a class whose interfaces form the single chain
/// that ends in `Top`; the class answers QueryInterface through Offer().
template <typename Top>
class ComBase : public Top {
 public:
  ULONG AddRef() final { return ++references_; }
  ULONG Release() final {
    const ULONG left = --references_;
    if (left == 0) delete this;  // the last holder lets go
    return left;
  }

 protected:
  /// QueryInterface's answer for an object that offers `iid` when `offered`.
  HRESULT Offer(bool offered, void** object) {
    if (!object) return E_POINTER;
    if (!offered) {
      *object = nullptr;
      return E_NOINTERFACE;
    }
    *object = static_cast<Top*>(this);
    AddRef();
    return S_OK;
  }

 private:
  std::atomic<ULONG> references_{1};
};

/// Creates a shell object with its first reference.
template <typename T, typename... Args>
ComPtr<T> MakeComObject(Args&&... args) {
  return ComPtr<T>::Adopt(new T(std::forward<Args>(args)...));
}

}  // namespace lum::shell
