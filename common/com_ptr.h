#pragma once
// Owner of one reference to a COM object: released exactly once, copied by adding a reference.
#include <unknwn.h>

#include <utility>

namespace skorvelin {

template <typename Interface> class ComPtr {
  public:
    ComPtr() = default;
    ComPtr(const ComPtr& other) : object_(other.object_) {
        if (object_) {
            object_->AddRef();
        }
    }
    ComPtr(ComPtr&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
    ComPtr& operator=(ComPtr other) noexcept {
        std::swap(object_, other.object_);
        return *this;
    }
    ~ComPtr() { reset(); }

    Interface* get() const { return object_; }
    Interface* operator->() const { return object_; }
    explicit operator bool() const { return object_ != nullptr; }
    void reset() {
        if (Interface* const old = std::exchange(object_, nullptr)) {
            old->Release();
        }
    }
    // For functions that hand out a new reference through an out parameter.
    Interface** put() {
        reset();
        return &object_;
    }

  private:
    Interface* object_ = nullptr;
};

} // namespace skorvelin
