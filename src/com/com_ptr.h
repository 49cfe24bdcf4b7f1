#pragma once
// Owns one COM reference: released when the owner goes, so no path can leak it.

#include <cstddef>
#include <utility>

#include "com/com_platform.h"

namespace audiogram::com {

template <typename Interface>
class ComPtr {
  public:
    ComPtr() = default;
    ComPtr(std::nullptr_t) {}
    // Takes a new reference to `pointer`.
    explicit ComPtr(Interface* pointer) : pointer_(pointer) {
        if (pointer_ != nullptr) pointer_->AddRef();
    }
    ComPtr(const ComPtr& other) : ComPtr(other.pointer_) {}
    ComPtr(ComPtr&& other) noexcept : pointer_(std::exchange(other.pointer_, nullptr)) {}
    ComPtr& operator=(ComPtr other) noexcept {
        std::swap(pointer_, other.pointer_);
        return *this;
    }
    ~ComPtr() { Reset(); }

    Interface* Get() const { return pointer_; }
    Interface* operator->() const { return pointer_; }
    Interface& operator*() const { return *pointer_; }
    explicit operator bool() const { return pointer_ != nullptr; }

    // The address for an [out] interface pointer; what was held is released first.
    Interface** Put() {
        Reset();
        return &pointer_;
    }

    void Reset() {
        if (pointer_ != nullptr) std::exchange(pointer_, nullptr)->Release();
    }

    // Hands the reference to the caller, who must release it.
    [[nodiscard]] Interface* Detach() { return std::exchange(pointer_, nullptr); }

    // Takes over a reference someone already added for us.
    static ComPtr Adopt(Interface* pointer) {
        ComPtr owner;
        owner.pointer_ = pointer;
        return owner;
    }

  private:
    Interface* pointer_ = nullptr;
};

// QueryInterface into an owner. The answer lands in a void* first, never through a cast of
// the owner's pointer, so no aliasing rule is bent.
template <typename Interface>
HRESULT QueryInterfaceInto(IUnknown* source, REFIID iid, ComPtr<Interface>& target) {
    void* answer = nullptr;
    const HRESULT hr = source->QueryInterface(iid, &answer);
    target = ComPtr<Interface>::Adopt(SUCCEEDED(hr) ? static_cast<Interface*>(answer) : nullptr);
    return hr;
}

}  // namespace audiogram::com
