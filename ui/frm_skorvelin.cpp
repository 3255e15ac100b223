// The form's own window: its creation, its procedure, its focus and dots per inch, and the
// message loop.
#include "ui/frm_skorvelin.h"

#include "common/platform_calls.h"
#include "common/system_library.h"
#include "ui/resources/resource_ids.h"

#include <algorithm>
#include <iterator>
#include <utility>

namespace skorvelin {
namespace {

constexpr wchar_t kClassName[] = L"SkorvelinForm";
constexpr UINT kDpiChangedMessage = 0x02E0; // WM_DPICHANGED, newer than the headers' target
constexpr UINT_PTR kDonateTimer = 1;
// A fixed dialog frame: caption and close box only, no sizing border, no icon in the title bar.
constexpr DWORD kFormStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kFormExStyle = WS_EX_DLGMODALFRAME | WS_EX_APPWINDOW;

} // namespace

frmSkorvelin::~frmSkorvelin() {
    // The windows go while the form they call is still whole; the pictures go before COM ends.
    Unload();
    imgDonnerFR = {};
    imgDonnerEN = {};
    if (uninitializeCom_) {
        uninitializeCom_();
    }
}

void frmSkorvelin::MakeWindow() {
    const auto background = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    // What the taskbar and the task switcher show, at the system's size; shared, so that the
    // system keeps it for as long as the program runs. The small size comes from the same group.
    const auto icon =
        static_cast<HICON>(LoadImageA(ProgramInstance(), MAKEINTRESOURCEA(IDI_APPLICATION_ICON),
                                      IMAGE_ICON, 0, 0, LR_DEFAULTSIZE | LR_SHARED));
    const RECT bounds{CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT};
    if (!RegisterWindowClass(kClassName, WindowProcedure, LoadCursorA(nullptr, IDC_ARROW),
                             background, icon) ||
        !CreatePlatformWindow(kFormExStyle, kClassName, L"Skorvelin", kFormStyle, bounds, nullptr,
                              0, this)) {
        return;
    }
    ApplyDpi(WindowDpi(window_), nullptr);
    LoadControls();
    // The timer belongs to the form from its creation on, on every path of the program.
    SetTimer(window_, kDonateTimer, 3000, nullptr);
}

void frmSkorvelin::Unload() {
    if (window_) {
        DestroyWindow(window_);
    }
}

void frmSkorvelin::Show() {
    // Centred on the part of the desktop that no task bar covers.
    RECT area{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    SetWindowPos(window_, nullptr, (area.left + area.right - outer_.cx) / 2,
                 (area.top + area.bottom - outer_.cy) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(window_, SW_SHOWNORMAL);
}

void frmSkorvelin::RestoreFocus() {
    // Back where it was, or on OK, the first control that takes the focus.
    const bool saved = focus_ && std::find(std::begin(controls_), std::end(controls_), focus_) !=
                                     std::end(controls_);
    if (const HWND target = saved ? focus_ : controls_[btnOK]) {
        SetFocus(target);
    }
}

void frmSkorvelin::ApplyDpi(unsigned dpi, const RECT* suggested) {
    dpi_ = dpi;
    // The controls move to the new fonts before the old ones are deleted.
    const UniqueGdiObject previous[2] = {std::move(fonts_[0]), std::move(fonts_[1])};
    if (previous[0]) {
        fonts_[0] = CreateFormFont(dpi_, false);
        fonts_[1] = CreateFormFont(dpi_, true);
    }
    for (int c = 0; c < kControlCount; ++c) {
        if (controls_[c]) {
            ApplyFont(static_cast<ControlName>(c));
            Place(static_cast<ControlName>(c));
        }
    }
    // The outer size around the client area at these dots per inch, where the system suggests.
    const RECT client{0, 0, TwipsToPixels(kClientWidth, dpi), TwipsToPixels(kClientHeight, dpi)};
    RECT outer = client;
    using AdjustForDpiFn = BOOL WINAPI(RECT*, DWORD, BOOL, DWORD, UINT);
    auto* const adjustForDpi =
        BindFunction<AdjustForDpiFn>(ImportedLibrary("user32.dll"), "AdjustWindowRectExForDpi");
    if (!adjustForDpi || !adjustForDpi(&outer, kFormStyle, FALSE, kFormExStyle, dpi)) {
        outer = client;
        AdjustWindowRectEx(&outer, kFormStyle, FALSE, kFormExStyle);
    }
    outer_ = {outer.right - outer.left, outer.bottom - outer.top};
    SetWindowPos(window_, nullptr, suggested ? suggested->left : 0, suggested ? suggested->top : 0,
                 outer_.cx, outer_.cy,
                 (suggested ? 0 : SWP_NOMOVE) | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool frmSkorvelin::PointerMoved(HWND window, LPARAM position) {
    // The system also reports a move where the pointer stands still, when a window lets the
    // pointer go for one: such a move would undo what a click just did to the links.
    const bool moved = window != lastMoveWindow_ || position != lastMovePosition_;
    lastMoveWindow_ = window;
    lastMovePosition_ = position;
    return moved;
}

void frmSkorvelin::Raise(MouseHandler handler, WPARAM keys, LPARAM position, unsigned button) {
    const auto held = ((keys & MK_LBUTTON) ? 1 : 0) | ((keys & MK_RBUTTON) ? 2 : 0) |
                      ((keys & MK_MBUTTON) ? 4 : 0);
    const auto shift = ((keys & MK_SHIFT) ? 1 : 0) | ((keys & MK_CONTROL) ? 2 : 0) |
                       (GetKeyState(VK_MENU) < 0 ? 4 : 0);
    (this->*handler)(static_cast<short>(button ? button : held), static_cast<short>(shift),
                     PixelsToTwips(static_cast<short>(LOWORD(position)), dpi_),
                     PixelsToTwips(static_cast<short>(HIWORD(position)), dpi_));
}

LRESULT frmSkorvelin::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CLOSE:
        Unload();
        return 0;
    case WM_COMMAND:
        // OK is both the default button, which Enter presses, and the cancel button, which Esc
        // presses wherever the focus is.
        if (LOWORD(wParam) == IDCANCEL ||
            (reinterpret_cast<HWND>(lParam) == controls_[btnOK] && HIWORD(wParam) == BN_CLICKED)) {
            btnOK_Click();
        }
        return 0;
    case DM_GETDEFID:
        return MAKELRESULT(IDOK, DC_HASDEFID);
    case WM_CTLCOLORSTATIC:
        if (const HBRUSH brush =
                ColourControl(reinterpret_cast<HWND>(lParam), reinterpret_cast<HDC>(wParam))) {
            return reinterpret_cast<LRESULT>(brush);
        }
        break;
    case WM_DRAWITEM:
        Draw(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_MOUSEMOVE:
        if (PointerMoved(window_, lParam)) {
            Raise(&frmSkorvelin::Form_MouseMove, wParam, lParam);
        }
        return 0;
    case WM_TIMER:
        if (wParam == kDonateTimer) {
            timDonner_Timer();
        }
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE) {
            RestoreFocus();
        } else {
            focus_ = GetFocus();
        }
        return 0;
    case WM_SETFOCUS:
        RestoreFocus();
        return 0;
    case kDpiChangedMessage:
        ApplyDpi(LOWORD(wParam), reinterpret_cast<const RECT*>(lParam));
        return 0;
    default:
        break;
    }
    return DefaultProcedure(window_, message, wParam, lParam);
}

LRESULT CALLBACK frmSkorvelin::WindowProcedure(HWND window, UINT message, WPARAM wParam,
                                               LPARAM lParam) noexcept {
    if (message == WM_NCCREATE) {
        // The creation parameter is the same pointer in both structure variants.
        auto* const form =
            static_cast<frmSkorvelin*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        form->window_ = window;
        SetLongPtr(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
    }
    auto* const form = reinterpret_cast<frmSkorvelin*>(GetLongPtr(window, GWLP_USERDATA));
    if (!form) {
        return DefaultProcedure(window, message, wParam, lParam);
    }
    const LRESULT result = form->HandleMessage(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetLongPtr(window, GWLP_USERDATA, 0);
        form->window_ = nullptr;
    }
    return result;
}

void frmSkorvelin::RunMessageLoop() {
    MSG message;
    while (window_) {
        const BOOL got = NextMessage(message);
        if (got == 0 || got == -1) {
            break;
        }
        if (!HandleDialogMessage(window_, message)) {
            TranslateMessage(&message);
            DispatchToWindow(message);
        }
    }
}

} // namespace skorvelin
