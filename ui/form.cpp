#include "ui/form.h"

#include "common/platform_text.h"

namespace skorvelin {
namespace {

constexpr wchar_t kClassNameW[] = L"SkorvelinForm";
constexpr char kClassNameA[] = "SkorvelinForm";

bool RegisterFormClass(WNDPROC procedure) {
    static bool registered = false;
    if (registered) {
        return true;
    }
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    if (WideApiAvailable()) {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = procedure;
        windowClass.hInstance = instance;
        windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        windowClass.lpszClassName = kClassNameW;
        registered = RegisterClassW(&windowClass) != 0;
    } else {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = procedure;
        windowClass.hInstance = instance;
        windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        windowClass.lpszClassName = kClassNameA;
        registered = RegisterClassA(&windowClass) != 0;
    }
    return registered;
}

} // namespace

Form::~Form() { Unload(); }

bool Form::Create(const std::wstring& caption) {
    if (window_ || !RegisterFormClass(WindowProcedure)) {
        return window_ != nullptr;
    }
    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    if (WideApiAvailable()) {
        CreateWindowExW(WS_EX_APPWINDOW, kClassNameW, caption.c_str(), style, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance,
                        this);
    } else {
        CreateWindowExA(WS_EX_APPWINDOW, kClassNameA, WideToAnsi(caption).c_str(), style,
                        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr,
                        nullptr, instance, this);
    }
    return window_ != nullptr;
}

void Form::Unload() {
    if (window_) {
        DestroyWindow(window_);
    }
}

LRESULT Form::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLOSE) {
        Unload();
        return 0;
    }
    return DefaultHandling(message, wParam, lParam);
}

LRESULT Form::DefaultHandling(UINT message, WPARAM wParam, LPARAM lParam) {
    return WideApiAvailable() ? DefWindowProcW(window_, message, wParam, lParam)
                              : DefWindowProcA(window_, message, wParam, lParam);
}

LRESULT CALLBACK Form::WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const bool wide = WideApiAvailable();
    if (message == WM_NCCREATE) {
        // The creation parameter is the same pointer in both structure variants.
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        auto* form = static_cast<Form*>(create->lpCreateParams);
        form->window_ = window;
        if (wide) {
            SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
        } else {
            SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
        }
    }
    auto* form = reinterpret_cast<Form*>(wide ? GetWindowLongPtrW(window, GWLP_USERDATA)
                                              : GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!form) {
        return wide ? DefWindowProcW(window, message, wParam, lParam)
                    : DefWindowProcA(window, message, wParam, lParam);
    }
    const LRESULT result = form->OnMessage(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        form->window_ = nullptr;
    }
    return result;
}

void RunMessageLoop(const Form& form) {
    const bool wide = WideApiAvailable();
    MSG message;
    while (form.IsLoaded()) {
        const BOOL got = wide ? GetMessageW(&message, nullptr, 0, 0)
                              : GetMessageA(&message, nullptr, 0, 0);
        if (got == 0 || got == -1) {
            break;
        }
        TranslateMessage(&message);
        if (wide) {
            DispatchMessageW(&message);
        } else {
            DispatchMessageA(&message);
        }
    }
}

} // namespace skorvelin
