#include "forms/form.h"

#include "common/platform_calls.h"
#include "common/system_library.h"
#include "forms/controls.h"
#include "forms/timer.h"
#include "forms/twips.h"

namespace skorvelin {
namespace {

constexpr wchar_t kClassName[] = L"SkorvelinForm";
constexpr UINT kDpiChangedMessage = 0x02E0; // WM_DPICHANGED, newer than the headers' target
// A fixed dialog frame: caption and close box only, no sizing border, no icon in the title bar.
constexpr DWORD kFormStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kFormExStyle = WS_EX_DLGMODALFRAME | WS_EX_APPWINDOW;

bool RegisterFormClass(WNDPROC procedure, int iconId) {
    static bool registered = false;
    if (registered) {
        return true;
    }
    const auto background = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    // At the system's size; shared, so that the system keeps it for as long as the program runs.
    const auto icon = static_cast<HICON>(LoadImageA(ProgramInstance(), MAKEINTRESOURCEA(iconId),
                                                    IMAGE_ICON, 0, 0, LR_DEFAULTSIZE | LR_SHARED));
    registered = RegisterWindowClass(kClassName, procedure, LoadSystemCursor(32512), // IDC_ARROW
                                     background, icon);
    return registered;
}

// The outer size of a form window whose client area is `client` pixels at `dpi`.
SIZE WindowSizeFor(SIZE client, unsigned dpi) {
    RECT bounds{0, 0, client.cx, client.cy};
    using AdjustForDpiFn = BOOL WINAPI(RECT*, DWORD, BOOL, DWORD, UINT);
    auto* const adjustForDpi =
        BindFunction<AdjustForDpiFn>(ImportedLibrary("user32.dll"), "AdjustWindowRectExForDpi");
    if (!adjustForDpi || !adjustForDpi(&bounds, kFormStyle, FALSE, kFormExStyle, dpi)) {
        bounds = {0, 0, client.cx, client.cy};
        AdjustWindowRectEx(&bounds, kFormStyle, FALSE, kFormExStyle);
    }
    return {bounds.right - bounds.left, bounds.bottom - bounds.top};
}

bool IsFocusable(HWND child) {
    const auto style = static_cast<DWORD>(GetLongPtr(child, GWL_STYLE));
    return (style & WS_TABSTOP) && IsWindowVisible(child) && IsWindowEnabled(child);
}

} // namespace

short MouseButtons(WPARAM keys) {
    return static_cast<short>(((keys & MK_LBUTTON) ? 1 : 0) | ((keys & MK_RBUTTON) ? 2 : 0) |
                              ((keys & MK_MBUTTON) ? 4 : 0));
}

Form::~Form() {
    Unload();
}

bool Form::Create(const wchar_t* caption, float clientWidth, float clientHeight, int iconId) {
    if (!RegisterFormClass(WindowProcedure, iconId)) {
        return false;
    }
    clientWidth_ = clientWidth;
    clientHeight_ = clientHeight;
    const RECT bounds{CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT};
    CreatePlatformWindow(kFormExStyle, kClassName, caption, kFormStyle, bounds, nullptr, 0, this);
    if (!window_) {
        return false;
    }
    dpi_ = WindowDpi(window_);
    ApplySize();
    for (size_t i = 0; i < timers_.size(); ++i) {
        SetTimer(window_, i + 1, timers_[i]->Interval(), nullptr);
    }
    return true;
}

void Form::Unload() {
    if (window_) {
        DestroyWindow(window_);
    }
}

void Form::SetCaption(const std::wstring& caption) {
    SetText(window_, caption.c_str());
}

void Form::Show() {
    const RECT area = WorkArea();
    RECT frame{};
    GetWindowRect(window_, &frame);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    SetWindowPos(window_, nullptr, area.left + (area.right - area.left - width) / 2,
                 area.top + (area.bottom - area.top - height) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(window_, SW_SHOWNORMAL);
}

HFONT Form::Font(bool underlined) {
    if (!fonts_.Created()) {
        fonts_.Create(kFormFont, dpi_);
    }
    return fonts_.Get(underlined);
}

void Form::SetDefaultButton(const Control& button) {
    defaultButtonId_ = GetDlgCtrlID(button.hWnd());
}

MouseArgs Form::MouseArgsFor(short button, WPARAM keys, LPARAM position) const {
    MouseArgs args;
    args.button = button;
    args.shift = static_cast<short>(((keys & MK_SHIFT) ? 1 : 0) | ((keys & MK_CONTROL) ? 2 : 0) |
                                    (GetKeyState(VK_MENU) < 0 ? 4 : 0));
    args.x = PixelsToTwips(static_cast<short>(LOWORD(position)), dpi_);
    args.y = PixelsToTwips(static_cast<short>(HIWORD(position)), dpi_);
    return args;
}

void Form::ApplySize() {
    const SIZE client{TwipsToPixels(clientWidth_, dpi_), TwipsToPixels(clientHeight_, dpi_)};
    const SIZE outer = WindowSizeFor(client, dpi_);
    SetWindowPos(window_, nullptr, 0, 0, outer.cx, outer.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form::OnDpiChanged(unsigned dpi, const RECT& suggested) {
    dpi_ = dpi;
    // The controls move to the new fonts before the old ones are deleted.
    FontPair previous = std::move(fonts_);
    if (previous.Created()) {
        fonts_.Create(kFormFont, dpi_);
    }
    for (HWND child = GetWindow(window_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (Control* control = Control::FromWindow(child)) {
            control->ApplyDpi();
        }
    }
    const SIZE client{TwipsToPixels(clientWidth_, dpi_), TwipsToPixels(clientHeight_, dpi_)};
    const SIZE outer = WindowSizeFor(client, dpi_);
    SetWindowPos(window_, nullptr, suggested.left, suggested.top, outer.cx, outer.cy,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form::SaveFocus() {
    const HWND focus = GetFocus();
    if (focus && IsChild(window_, focus)) {
        focus_ = focus;
    }
}

void Form::RestoreFocus() {
    // The controls live as long as the form: a focus saved on one of them is still a child.
    HWND target = focus_ && IsChild(window_, focus_) && IsFocusable(focus_) ? focus_ : nullptr;
    for (HWND child = GetWindow(window_, GW_CHILD); !target && child;
         child = GetWindow(child, GW_HWNDNEXT)) {
        if (IsFocusable(child)) {
            target = child;
        }
    }
    if (target) {
        SetFocus(target);
    }
}

LRESULT Form::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CLOSE:
        Unload();
        return 0;
    case WM_COMMAND: {
        const WORD id = LOWORD(wParam);
        if (id == IDCANCEL && cancelButton_) {
            // Esc, wherever the focus is, presses the cancel button.
            cancelButton_->OnCommand(BN_CLICKED);
            return 0;
        }
        // Controls notify with their window; the form has no menu or accelerator.
        if (Control* control = Control::FromWindow(reinterpret_cast<HWND>(lParam))) {
            control->OnCommand(HIWORD(wParam));
        }
        return 0;
    }
    case DM_GETDEFID:
        return defaultButtonId_ ? MAKELRESULT(defaultButtonId_, DC_HASDEFID) : 0;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
        if (Control* control = Control::FromWindow(reinterpret_cast<HWND>(lParam))) {
            if (const HBRUSH brush = control->OnColor(reinterpret_cast<HDC>(wParam))) {
                return reinterpret_cast<LRESULT>(brush);
            }
        }
        break;
    case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (Control* control = Control::FromWindow(item->hwndItem)) {
            control->OnDraw(*item);
            return TRUE;
        }
        break;
    }
    case WM_MOUSEMOVE:
        if (MouseMove) {
            MouseMove(*this, MouseArgsFor(MouseButtons(wParam), wParam, lParam));
        }
        return 0;
    case WM_TIMER:
        if (wParam >= 1 && wParam <= timers_.size()) {
            if (const Event tick = timers_[wParam - 1]->Tick) {
                tick(*this);
            }
            return 0;
        }
        break;
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) {
            SaveFocus();
        } else {
            RestoreFocus();
        }
        return 0;
    case WM_SETFOCUS:
        RestoreFocus();
        return 0;
    case kDpiChangedMessage:
        OnDpiChanged(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    default:
        break;
    }
    return DefaultHandling(message, wParam, lParam);
}

LRESULT Form::DefaultHandling(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefaultProcedure(window_, message, wParam, lParam);
}

LRESULT CALLBACK Form::WindowProcedure(HWND window, UINT message, WPARAM wParam,
                                       LPARAM lParam) noexcept {
    if (message == WM_NCCREATE) {
        // The creation parameter is the same pointer in both structure variants.
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        auto* form = static_cast<Form*>(create->lpCreateParams);
        form->window_ = window;
        SetLongPtr(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
    }
    auto* form = reinterpret_cast<Form*>(GetLongPtr(window, GWLP_USERDATA));
    if (!form) {
        return DefaultProcedure(window, message, wParam, lParam);
    }
    const LRESULT result = form->OnMessage(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetLongPtr(window, GWLP_USERDATA, 0);
        form->window_ = nullptr;
    }
    return result;
}

void RunMessageLoop(const Form& form) {
    MSG message;
    while (form.IsLoaded()) {
        const BOOL got = NextMessage(message);
        if (got == 0 || got == -1) {
            break;
        }
        const HWND dialog = form.hWnd();
        if (dialog && HandleDialogMessage(dialog, message)) {
            continue;
        }
        TranslateMessage(&message);
        DispatchToWindow(message);
    }
}

} // namespace skorvelin
