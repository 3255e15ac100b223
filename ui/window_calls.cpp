#include "ui/window_calls.h"

#include "common/platform_text.h"

namespace skorvelin {
namespace {

HINSTANCE Instance() {
    return GetModuleHandleW(nullptr);
}

} // namespace

HWND CreatePlatformWindow(DWORD exStyle, std::wstring_view className, std::wstring_view text,
                          DWORD style, const RECT& bounds, HWND parent, INT_PTR id,
                          void* parameter) {
    const int width = bounds.right - bounds.left;
    const int height = bounds.bottom - bounds.top;
    auto* const menu = reinterpret_cast<HMENU>(id);
    if (WideApiAvailable()) {
        return CreateWindowExW(exStyle, std::wstring(className).c_str(), std::wstring(text).c_str(),
                               style, bounds.left, bounds.top, width, height, parent, menu,
                               Instance(), parameter);
    }
    return CreateWindowExA(exStyle, WideToAnsi(className).c_str(), WideToAnsi(text).c_str(), style,
                           bounds.left, bounds.top, width, height, parent, menu, Instance(),
                           parameter);
}

void SetText(HWND window, std::wstring_view text) {
    if (WideApiAvailable()) {
        SetWindowTextW(window, std::wstring(text).c_str());
    } else {
        SetWindowTextA(window, WideToAnsi(text).c_str());
    }
}

std::wstring GetText(HWND window) {
    if (WideApiAvailable()) {
        const int length = GetWindowTextLengthW(window);
        std::wstring text(static_cast<size_t>(length) + 1, L'\0');
        text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), length + 1)));
        return text;
    }
    const int length = GetWindowTextLengthA(window);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    text.resize(static_cast<size_t>(GetWindowTextA(window, text.data(), length + 1)));
    return AnsiToWide(text);
}

LRESULT SendTo(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return WideApiAvailable() ? SendMessageW(window, message, wParam, lParam)
                              : SendMessageA(window, message, wParam, lParam);
}

LRESULT DefaultProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return WideApiAvailable() ? DefWindowProcW(window, message, wParam, lParam)
                              : DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CallProcedure(WNDPROC procedure, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return WideApiAvailable() ? CallWindowProcW(procedure, window, message, wParam, lParam)
                              : CallWindowProcA(procedure, window, message, wParam, lParam);
}

LONG_PTR GetLongPtr(HWND window, int index) {
    return WideApiAvailable() ? GetWindowLongPtrW(window, index) : GetWindowLongPtrA(window, index);
}

LONG_PTR SetLongPtr(HWND window, int index, LONG_PTR value) {
    return WideApiAvailable() ? SetWindowLongPtrW(window, index, value)
                              : SetWindowLongPtrA(window, index, value);
}

std::string_view ResourceBytes(int id) {
    const HINSTANCE instance = Instance();
    const HRSRC resource =
        WideApiAvailable()
            ? FindResourceW(instance, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(10)) // RT_RCDATA
            : FindResourceA(instance, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(10));
    if (!resource) {
        return {};
    }
    const HGLOBAL loaded = LoadResource(instance, resource);
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data) {
        return {};
    }
    // Resources stay mapped for the life of the module: the view never dangles.
    return {static_cast<const char*>(data), SizeofResource(instance, resource)};
}

HCURSOR LoadResourceCursor(int id) {
    return WideApiAvailable() ? LoadCursorW(Instance(), MAKEINTRESOURCEW(id))
                              : LoadCursorA(Instance(), MAKEINTRESOURCEA(id));
}

HBITMAP LoadResourceBitmap(int id) {
    const HANDLE image =
        WideApiAvailable()
            ? LoadImageW(Instance(), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR)
            : LoadImageA(Instance(), MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR);
    return static_cast<HBITMAP>(image);
}

} // namespace skorvelin
