#pragma once
// Owners for the platform's handles: each closes what it holds exactly once.
#include <windows.h>

#include <utility>

namespace skorvelin {

template <typename Handle, auto Close, Handle Empty = Handle{}> class UniqueResource {
  public:
    UniqueResource() = default;
    explicit UniqueResource(Handle handle) : handle_(handle) {}
    UniqueResource(const UniqueResource&) = delete;
    UniqueResource& operator=(const UniqueResource&) = delete;
    UniqueResource(UniqueResource&& other) noexcept : handle_(other.release()) {}
    UniqueResource& operator=(UniqueResource&& other) noexcept {
        if (this != &other) {
            reset(other.release());
        }
        return *this;
    }
    ~UniqueResource() { reset(); }

    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != Empty; }
    Handle release() { return std::exchange(handle_, Empty); }
    void reset(Handle handle = Empty) {
        const Handle old = std::exchange(handle_, handle);
        if (old != Empty) {
            Close(old);
        }
    }

  private:
    Handle handle_ = Empty;
};

inline void CloseKernelHandle(HANDLE handle) {
    CloseHandle(handle);
}
inline void ReleaseLibrary(HMODULE module) {
    FreeLibrary(module);
}
inline void DeleteGdiObject(HGDIOBJ object) {
    DeleteObject(object);
}

// A kernel object handle where "none" is 0 (OpenProcess, CreateEvent, ...).
using UniqueHandle = UniqueResource<HANDLE, CloseKernelHandle>;
using UniqueLibrary = UniqueResource<HMODULE, ReleaseLibrary>;
using UniqueGdiObject = UniqueResource<HGDIOBJ, DeleteGdiObject>;

} // namespace skorvelin
