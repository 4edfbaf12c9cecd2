// Move-only owners for COM: an interface pointer released when it goes out of
// scope, and a single-threaded apartment joined for one scope.
#pragma once

#include <objbase.h>

#include "platform/win32/late_bound.h"

#include <utility>

namespace corvanta {

// A COM interface pointer, released when it goes out of scope.
template <class Interface>
class ComPtr {
 public:
  ComPtr() = default;
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;
  ComPtr(ComPtr&& other) noexcept : pointer_(std::exchange(other.pointer_, nullptr)) {}
  ~ComPtr() {
    if (pointer_) pointer_->Release();
  }
  Interface* operator->() const { return pointer_; }
  Interface* get() const { return pointer_; }
  // For the calls that hand out an interface through a void** parameter.
  void** put() {
    if (pointer_) pointer_->Release();
    pointer_ = nullptr;
    return reinterpret_cast<void**>(&pointer_);
  }

 private:
  Interface* pointer_ = nullptr;
};

// Joins this thread to a single-threaded COM apartment for one scope, and
// leaves it again only if this scope was the one that joined.
class ComApartment {
 public:
  ComApartment() {
    static auto* const initialize =
        lateBound<decltype(CoInitializeEx)>(L"ole32.dll", "CoInitializeEx");
    joined_ = initialize && SUCCEEDED(initialize(nullptr, COINIT_APARTMENTTHREADED));
  }
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;
  ~ComApartment() {
    static auto* const uninitialize =
        lateBound<decltype(CoUninitialize)>(L"ole32.dll", "CoUninitialize");
    if (joined_ && uninitialize) uninitialize();
  }

 private:
  bool joined_ = false;
};

}  // namespace corvanta
