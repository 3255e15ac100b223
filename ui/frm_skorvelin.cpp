// The form's window: its creation, its procedure and its controls' procedure, focus, dots per
// inch, and the message loop.
#include "ui/frm_skorvelin.h"

#include "common/platform_calls.h"
#include "common/system_library.h"
#include "ui/resources/resource_ids.h"
#include "ui/window_scale.h"

namespace skorvelin {
namespace {

constexpr wchar_t kClassName[] = L"SkorvelinForm";
constexpr UINT kDpiChangedMessage = 0x02E0; // WM_DPICHANGED, newer than the headers' target
constexpr UINT_PTR kDonateTimer = 1;
// A fixed dialog frame: caption and close box only, no sizing border, no icon in the title bar.
constexpr DWORD kFormStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kFormExStyle = WS_EX_DLGMODALFRAME | WS_EX_APPWINDOW;

// The outer size of the window whose client area is the form's at `dpi`.
SIZE WindowSizeFor(unsigned dpi) {
    const RECT client{0, 0, TwipsToPixels(frmSkorvelin::kClientWidth, dpi),
                      TwipsToPixels(frmSkorvelin::kClientHeight, dpi)};
    RECT bounds = client;
    using AdjustForDpiFn = BOOL WINAPI(RECT*, DWORD, BOOL, DWORD, UINT);
    auto* const adjustForDpi =
        BindFunction<AdjustForDpiFn>(ImportedLibrary("user32.dll"), "AdjustWindowRectExForDpi");
    if (!adjustForDpi || !adjustForDpi(&bounds, kFormStyle, FALSE, kFormExStyle, dpi)) {
        bounds = client;
        AdjustWindowRectEx(&bounds, kFormStyle, FALSE, kFormExStyle);
    }
    return {bounds.right - bounds.left, bounds.bottom - bounds.top};
}

bool IsFocusable(HWND child) {
    const auto style = static_cast<DWORD>(GetLongPtr(child, GWL_STYLE));
    return (style & WS_TABSTOP) && IsWindowVisible(child) && IsWindowEnabled(child);
}

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
    if (!RegisterWindowClass(kClassName, WindowProcedure, LoadCursorA(nullptr, IDC_ARROW),
                             background, icon)) {
        return;
    }
    const RECT bounds{CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT};
    CreatePlatformWindow(kFormExStyle, kClassName, L"Skorvelin", kFormStyle, bounds, nullptr, 0,
                         this);
    if (!window_) {
        return;
    }
    dpi_ = WindowDpi(window_);
    const SIZE outer = WindowSizeFor(dpi_);
    SetWindowPos(window_, nullptr, 0, 0, outer.cx, outer.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    // The timer belongs to the form from its creation on, on every path of the program.
    SetTimer(window_, kDonateTimer, 3000, nullptr);
}

void frmSkorvelin::Unload() {
    if (window_) {
        DestroyWindow(window_);
    }
}

void frmSkorvelin::Show() {
    const RECT area = WorkArea();
    RECT frame{};
    GetWindowRect(window_, &frame);
    SetWindowPos(window_, nullptr,
                 area.left + (area.right - area.left - frame.right + frame.left) / 2,
                 area.top + (area.bottom - area.top - frame.bottom + frame.top) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(window_, SW_SHOWNORMAL);
}

void frmSkorvelin::SaveFocus() {
    const HWND focus = GetFocus();
    if (focus && IsChild(window_, focus)) {
        focus_ = focus;
    }
}

void frmSkorvelin::RestoreFocus() {
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

void frmSkorvelin::ApplyDpi(unsigned dpi) {
    dpi_ = dpi;
    if (fonts_[0]) {
        // The controls move to the new fonts before the old ones are deleted.
        UniqueGdiObject previous[2] = {std::move(fonts_[0]), std::move(fonts_[1])};
        fonts_[0] = CreateFormFont(dpi_, false);
        fonts_[1] = CreateFormFont(dpi_, true);
        for (int c = 0; c < kControlCount; ++c) {
            if (c != picIcône && c != imgDonner) {
                const bool underlined =
                    (c == lblSite || c == lblEmail) && linkHighlighted_[c - lblSite];
                SendTo(controls_[c], WM_SETFONT,
                       reinterpret_cast<WPARAM>(fonts_[underlined ? 1 : 0].get()), TRUE);
            }
        }
    }
    for (int c = 0; c < kControlCount; ++c) {
        if (controls_[c]) {
            if (c == lblSite || c == lblEmail) {
                Fit(static_cast<ControlName>(c));
            }
            Place(static_cast<ControlName>(c));
        }
    }
}

frmSkorvelin::MouseArgs frmSkorvelin::ArgsFor(short button, WPARAM keys, LPARAM position) const {
    return {button,
            static_cast<short>(((keys & MK_SHIFT) ? 1 : 0) | ((keys & MK_CONTROL) ? 2 : 0) |
                               (GetKeyState(VK_MENU) < 0 ? 4 : 0)),
            PixelsToTwips(static_cast<short>(LOWORD(position)), dpi_),
            PixelsToTwips(static_cast<short>(HIWORD(position)), dpi_)};
}

// The buttons held, as pointer events tell them, from the key state of a mouse message.
static short HeldButtons(WPARAM keys) {
    return static_cast<short>(((keys & MK_LBUTTON) ? 1 : 0) | ((keys & MK_RBUTTON) ? 2 : 0) |
                              ((keys & MK_MBUTTON) ? 4 : 0));
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
        return controls_[btnOK] ? MAKELRESULT(IDOK, DC_HASDEFID) : 0;
    case WM_CTLCOLORSTATIC:
        if (const HBRUSH brush =
                ColourControl(reinterpret_cast<HWND>(lParam), reinterpret_cast<HDC>(wParam))) {
            return reinterpret_cast<LRESULT>(brush);
        }
        break;
    case WM_DRAWITEM:
        Draw(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_MOUSEMOVE: {
        const MouseArgs a = ArgsFor(HeldButtons(wParam), wParam, lParam);
        Form_MouseMove(a.button, a.shift, a.x, a.y);
        return 0;
    }
    case WM_TIMER:
        if (wParam == kDonateTimer) {
            timDonner_Timer();
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
    case kDpiChangedMessage: {
        ApplyDpi(LOWORD(wParam));
        const auto* suggested = reinterpret_cast<const RECT*>(lParam);
        const SIZE outer = WindowSizeFor(dpi_);
        SetWindowPos(window_, nullptr, suggested->left, suggested->top, outer.cx, outer.cy,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        return 0;
    }
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

LRESULT frmSkorvelin::HandleControlMessage(ControlName control, UINT message, WPARAM wParam,
                                           LPARAM lParam) {
    const HWND window = controls_[control];
    const WNDPROC original = originalProcedures_[control];
    switch (message) {
    case WM_SETCURSOR:
        if ((control == lblSite || control == lblEmail || control == imgDonner) &&
            LOWORD(lParam) == HTCLIENT) {
            SetCursor(hand_);
            return TRUE;
        }
        break;
    case WM_GETDLGCODE:
        // Enter and Esc go to the form's button and Tab moves on, from the usage text too.
        return CallProcedure(original, window, message, wParam, lParam) &
               ~static_cast<LRESULT>(DLGC_WANTALLKEYS | DLGC_WANTMESSAGE | DLGC_WANTTAB);
    case WM_CAPTURECHANGED:
        buttonsDown_ = 0;
        break;
    case WM_NCDESTROY:
        controls_[control] = nullptr;
        break;
    default:
        break;
    }
    const LRESULT result = CallProcedure(original, window, message, wParam, lParam);
    // The handlers run once the control has done its own part, and may unload the form.
    OnControlMouse(control, message, wParam, lParam);
    return result;
}

LRESULT CALLBACK frmSkorvelin::ControlProcedure(HWND control, UINT message, WPARAM wParam,
                                                LPARAM lParam) noexcept {
    auto* const form = reinterpret_cast<frmSkorvelin*>(GetLongPtr(control, GWLP_USERDATA));
    for (int c = 0; form && c < kControlCount; ++c) {
        if (form->controls_[c] == control) {
            return form->HandleControlMessage(static_cast<ControlName>(c), message, wParam, lParam);
        }
    }
    return DefaultProcedure(control, message, wParam, lParam);
}

void frmSkorvelin::OnControlMouse(ControlName control, UINT message, WPARAM keys, LPARAM position) {
    unsigned button = 0;
    bool pressed = true;
    switch (message) {
    case WM_MOUSEMOVE:
        RaiseMouseMove(control, ArgsFor(HeldButtons(keys), keys, position));
        return;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        button = 1;
        secondClick_ = message == WM_LBUTTONDBLCLK;
        break;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
        button = 2;
        break;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
        button = 4;
        break;
    case WM_LBUTTONUP:
        button = 1;
        pressed = false;
        break;
    case WM_RBUTTONUP:
        button = 2;
        pressed = false;
        break;
    case WM_MBUTTONUP:
        button = 4;
        pressed = false;
        break;
    default:
        return;
    }
    // The button and the usage text handle presses themselves; labels and pictures hold the
    // pointer while a button is down, so that the release and the click come back to them.
    if (control == btnOK || control == txtDescription) {
        return;
    }
    const MouseArgs args = ArgsFor(static_cast<short>(button), keys, position);
    if (pressed) {
        if (buttonsDown_ == 0) {
            SetCapture(controls_[control]);
        }
        buttonsDown_ |= button;
        if (control == imgDonner) {
            imgDonner_MouseDown(args.button, args.shift, args.x, args.y);
        }
        return;
    }
    if (!(buttonsDown_ & button)) {
        return; // pressed elsewhere: the release belongs to another window
    }
    RECT client{};
    GetClientRect(controls_[control], &client);
    const POINT at{static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))};
    const bool click = button == 1 && !secondClick_ && PtInRect(&client, at);
    buttonsDown_ &= ~button;
    // Buttons are counted only while the capture is ours: losing it clears them.
    if (buttonsDown_ == 0) {
        ReleaseCapture();
    }
    if (control == imgDonner) {
        imgDonner_MouseUp(args.button, args.shift, args.x, args.y);
    }
    if (!click) {
        return;
    }
    if (control == lblSite) {
        lblSite_Click();
    } else if (control == lblEmail) {
        lblEmail_Click();
    } else if (control == imgDonner) {
        imgDonner_Click();
    }
}

void frmSkorvelin::RaiseMouseMove(ControlName control, const MouseArgs& a) {
    switch (control) {
    case picIcône:
        picIcône_MouseMove(a.button, a.shift, a.x, a.y);
        break;
    case btnOK:
        btnOK_MouseMove(a.button, a.shift, a.x, a.y);
        break;
    case txtDescription:
        txtDescription_MouseMove(a.button, a.shift, a.x, a.y);
        break;
    case lblSite:
        lblSite_MouseMove(a.button, a.shift, a.x, a.y);
        break;
    case lblEmail:
        lblEmail_MouseMove(a.button, a.shift, a.x, a.y);
        break;
    case lbl0:
    case lbl1:
        lbl_MouseMove(static_cast<short>(control - lbl0), a.button, a.shift, a.x, a.y);
        break;
    case lblAuteur:
        lblAuteur_MouseMove(a.button, a.shift, a.x, a.y);
        break;
    default:
        break;
    }
}

void frmSkorvelin::RunMessageLoop() {
    MSG message;
    while (window_) {
        const BOOL got = NextMessage(message);
        if (got == 0 || got == -1) {
            break;
        }
        if (window_ && HandleDialogMessage(window_, message)) {
            continue;
        }
        TranslateMessage(&message);
        DispatchToWindow(message);
    }
}

} // namespace skorvelin
