#pragma once
// Owners for device contexts, for objects selected into them and for global memory, so that
// every way out of a drawing routine gives them back.
#include "common/unique_handle.h"

namespace skorvelin {

inline void DeleteMemoryDc(HDC dc) {
    DeleteDC(dc);
}
using UniqueMemoryDc = UniqueResource<HDC, DeleteMemoryDc>;

inline void FreeGlobalMemory(HGLOBAL memory) {
    GlobalFree(memory);
}
using UniqueGlobalMemory = UniqueResource<HGLOBAL, FreeGlobalMemory>;

// The device context of a window, or of the screen for no window.
class WindowDc {
  public:
    explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    ~WindowDc() {
        if (dc_) {
            ReleaseDC(window_, dc_);
        }
    }

    HDC get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

  private:
    HWND window_;
    HDC dc_;
};

// An object selected into a device context for as long as this lives.
class SelectedObject {
  public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;
    ~SelectedObject() {
        if (previous_) {
            SelectObject(dc_, previous_);
        }
    }

  private:
    HDC dc_;
    HGDIOBJ previous_;
};

} // namespace skorvelin
