// The help window's controls: made from one table, served by one procedure, and painted.
#include "ui/frm_skorvelin.h"

#include "common/gdi_scope.h"
#include "common/platform_calls.h"
#include "ui/resources/resource_ids.h"

#include <algorithm>
#include <iterator>

namespace skorvelin {
namespace {

using F = frmSkorvelin;

struct ControlRow {
    F::ControlName name;
    const wchar_t* windowClass;
    // The box in twips from the client area's corner. A link takes the size of its caption.
    short left, top, width, height;
    DWORD style;
    const wchar_t* text; // what it shows before the help set-up runs; pictures show none
    bool hand;           // the program's hand over it, in place of its class's pointer
};

constexpr DWORD kPicture = SS_OWNERDRAW | SS_NOTIFY;
constexpr DWORD kLink = SS_OWNERDRAW | SS_NOTIFY; // draws its one line exactly as it measured it
constexpr DWORD kLabel = SS_LEFT | SS_NOTIFY;     // wraps at word boundaries
constexpr DWORD kUsage =
    ES_LEFT | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL | WS_TABSTOP | WS_BORDER;

// The controls in the order they are made, which is the focus order of those that take the
// focus; they come first. Among the labels, each link lies above the labels whose boxes reach
// into its own, so that no text is painted over. The hidden images imgDonnerFR and imgDonnerEN
// never show and need no window: the form keeps their pictures.
// clang-format off
constexpr ControlRow kControls[] = {
    // name             class      Left  Top   Width Height style                         text        hand
    {F::picIcône,       L"STATIC", 120,  180,  720,  720,  kPicture,                      L"",        false},
    {F::btnOK,          L"BUTTON", 4440, 120,  1335, 495,  BS_DEFPUSHBUTTON | WS_TABSTOP, L"&OK",     false},
    {F::txtDescription, L"EDIT",   120,  1080, 5655, 4080, kUsage,                        L"",        false},
    {F::lblSite,        L"STATIC", 1605, 420,  1770, 195,  kLink,                         L"",        true},
    {F::lblEmail,       L"STATIC", 1605, 660,  1530, 195,  kLink,                         L"",        true},
    {F::lbl0,           L"STATIC", 1035, 420,  615,  255,  kLabel,                        L"Www :",   false},
    {F::lbl1,           L"STATIC", 1035, 660,  615,  255,  kLabel,                        L"eMail :", false},
    {F::lblAuteur,      L"STATIC", 1005, 180,  3135, 255,  kLabel,                        L"",        false},
    {F::imgDonner,      L"STATIC", 4425, 660,  1335, 315,  kPicture,                      L"",        true},
};

// The handlers of each control's pointer events, in the same order.
struct ControlEvents {
    F::MouseHandler mouseMove, mouseDown, mouseUp;
    void (F::*click)();
};
constexpr ControlEvents kEvents[] = {
    {&F::picIcône_MouseMove,       nullptr,                 nullptr,               nullptr},
    {&F::btnOK_MouseMove,          nullptr,                 nullptr,               nullptr},
    {&F::txtDescription_MouseMove, nullptr,                 nullptr,               nullptr},
    {&F::lblSite_MouseMove,        nullptr,                 nullptr,               &F::lblSite_Click},
    {&F::lblEmail_MouseMove,       nullptr,                 nullptr,               &F::lblEmail_Click},
    {&F::lbl0_MouseMove,           nullptr,                 nullptr,               nullptr},
    {&F::lbl1_MouseMove,           nullptr,                 nullptr,               nullptr},
    {&F::lblAuteur_MouseMove,      nullptr,                 nullptr,               nullptr},
    {nullptr,                      &F::imgDonner_MouseDown, &F::imgDonner_MouseUp, &F::imgDonner_Click},
};
// clang-format on

constexpr bool InNameOrder() {
    for (int c = 0; c < F::kControlCount; ++c) {
        if (kControls[c].name != c) {
            return false;
        }
    }
    return std::size(kControls) == F::kControlCount && std::size(kEvents) == F::kControlCount;
}
static_assert(InNameOrder(), "one row per control, in the order of ControlName");

bool IsLink(int control) {
    return control == F::lblSite || control == F::lblEmail;
}

// Paints through a memory bitmap, so that the background and the picture over it reach the
// screen in one step and the picture does not flicker when it changes.
void DrawBuffered(const DRAWITEMSTRUCT& item, const Picture* picture, unsigned dpi) {
    const RECT& box = item.rcItem;
    const RECT all{0, 0, box.right - box.left, box.bottom - box.top};
    const UniqueMemoryDc memory{CreateCompatibleDC(item.hDC)};
    const UniqueGdiObject bitmap{CreateCompatibleBitmap(item.hDC, all.right, all.bottom)};
    if (memory && bitmap) {
        const SelectedObject selected(memory.get(), bitmap.get());
        // Transparent pixels of the picture show the form's background.
        FillRect(memory.get(), &all, GetSysColorBrush(COLOR_BTNFACE));
        if (picture) {
            DrawPicture(*picture, memory.get(), 0, 0, dpi);
        }
        BitBlt(item.hDC, box.left, box.top, all.right, all.bottom, memory.get(), 0, 0, SRCCOPY);
    }
}

} // namespace

void frmSkorvelin::LoadControls() {
    // The program carries its own hand: the oldest platforms have none.
    hand_ = LoadCursorA(ProgramInstance(), MAKEINTRESOURCEA(IDC_HAND_CURSOR));
    // Pixel for pixel the colour image of the 48-pixel application icon.
    iconImage_.reset(IconColourImage(IDI_APPLICATION_ICON_48));
    fonts_[0] = CreateFormFont(dpi_, false);
    fonts_[1] = CreateFormFont(dpi_, true);
    for (const ControlRow& row : kControls) {
        const RECT box{0, 0, TwipsToPixels(row.width, dpi_), TwipsToPixels(row.height, dpi_)};
        // Overlapping boxes are clipped by the controls above them rather than painted over.
        const HWND control = CreatePlatformWindow(
            0, row.windowClass, row.text, row.style | WS_CHILD | WS_CLIPSIBLINGS | WS_VISIBLE, box,
            window_, row.name == btnOK ? IDOK : 100 + row.name, nullptr);
        if (!control) {
            continue;
        }
        controls_[row.name] = control;
        SetLongPtr(control, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        originalProcedures_[row.name] = reinterpret_cast<WNDPROC>(
            SetLongPtr(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ControlProcedure)));
        ApplyFont(row.name);
        Place(row.name);
    }
}

LRESULT CALLBACK frmSkorvelin::ControlProcedure(HWND window, UINT message, WPARAM wParam,
                                                LPARAM lParam) noexcept {
    // Only the form's controls run this procedure, and each keeps the form in its user data.
    auto* const form = reinterpret_cast<F*>(GetLongPtr(window, GWLP_USERDATA));
    const auto c = static_cast<ControlName>(
        std::find(std::begin(form->controls_), std::end(form->controls_), window) -
        std::begin(form->controls_));
    if (c == kControlCount) {
        return DefaultProcedure(window, message, wParam, lParam);
    }
    const WNDPROC original = form->originalProcedures_[c];
    switch (message) {
    case WM_SETCURSOR:
        if (kControls[c].hand && LOWORD(lParam) == HTCLIENT) {
            SetCursor(form->hand_);
            return TRUE;
        }
        break;
    case WM_GETDLGCODE:
        // Enter and Esc go to the form's button and Tab moves on, from the usage text too.
        return CallProcedure(original, window, message, wParam, lParam) &
               ~static_cast<LRESULT>(DLGC_WANTALLKEYS | DLGC_WANTMESSAGE | DLGC_WANTTAB);
    case WM_CAPTURECHANGED:
        form->buttonsDown_ = 0;
        break;
    case WM_NCDESTROY:
        form->controls_[c] = nullptr;
        break;
    default:
        break;
    }
    const LRESULT result = CallProcedure(original, window, message, wParam, lParam);
    // The handlers run once the control has done its own part, and may unload the form.
    form->OnControlMouse(c, message, wParam, lParam);
    return result;
}

void frmSkorvelin::OnControlMouse(ControlName c, UINT message, WPARAM keys, LPARAM position) {
    const ControlEvents& events = kEvents[c];
    if (message == WM_MOUSEMOVE && PointerMoved(controls_[c], position) && events.mouseMove) {
        Raise(events.mouseMove, keys, position);
    }
    // The button messages come in threes from WM_LBUTTONDOWN: press, release and the second press
    // of a double-click, for the left, right and middle buttons (1, 2, 4).
    const UINT step = message - WM_LBUTTONDOWN;
    // The button and the usage text handle presses themselves; labels and pictures hold the
    // pointer while a button is down, so that the release and the click come back to them.
    if (step >= 9 || c == btnOK || c == txtDescription) {
        return;
    }
    const unsigned button = 1u << (step / 3);
    if (step % 3 != 1) {
        // The second press of a double-click is still a press, but its release is no click:
        // one double-click opens a link once.
        secondClick_ = button == 1 ? message == WM_LBUTTONDBLCLK : secondClick_;
        if (buttonsDown_ == 0) {
            SetCapture(controls_[c]);
        }
        buttonsDown_ |= button;
        if (events.mouseDown) {
            Raise(events.mouseDown, keys, position, button);
        }
        return;
    }
    if (!(buttonsDown_ & button)) {
        return; // pressed elsewhere: the release belongs to another window
    }
    const SIZE size = SizeOf(c); // labels and pictures have no border
    const POINT at{static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))};
    const bool click =
        button == 1 && !secondClick_ && at.x >= 0 && at.y >= 0 && at.x < size.cx && at.y < size.cy;
    // Buttons are counted only while the capture is ours: losing it clears them.
    if ((buttonsDown_ &= ~button) == 0) {
        ReleaseCapture();
    }
    if (events.mouseUp) {
        Raise(events.mouseUp, keys, position, button);
    }
    if (click && events.click) {
        (this->*events.click)();
    }
}

void frmSkorvelin::ApplyFont(ControlName c) {
    if (c == picIcône || c == imgDonner) {
        return;
    }
    const bool link = IsLink(c);
    const HGDIOBJ font = fonts_[link && linkHighlighted_[c - lblSite]].get();
    SendMessageA(controls_[c], WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);
    if (!link) {
        return;
    }
    // A link takes the size of its caption on one line.
    const WindowDc dc(controls_[c]);
    if (dc) {
        const SelectedObject selected(dc.get(), font);
        linkSizes_[c - lblSite] = TextLine(dc.get(), linkCaptions_[c - lblSite]);
    }
}

SIZE frmSkorvelin::SizeOf(ControlName control) const {
    const ControlRow& row = kControls[control];
    return IsLink(control) ? linkSizes_[control - lblSite]
                           : SIZE{TwipsToPixels(row.width, dpi_), TwipsToPixels(row.height, dpi_)};
}

void frmSkorvelin::Place(ControlName control) {
    const ControlRow& row = kControls[control];
    const float sunk = control == imgDonner ? donateSunk_ : 0;
    const SIZE size = SizeOf(control);
    SetWindowPos(controls_[control], nullptr, TwipsToPixels(row.left + sunk, dpi_),
                 TwipsToPixels(row.top + sunk, dpi_), size.cx, size.cy,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void frmSkorvelin::SetLinkCaption(ControlName link, std::wstring caption) {
    SetText(controls_[link], caption.c_str());
    linkCaptions_[link - lblSite] = std::move(caption);
    ApplyFont(link);
    Place(link);
}

void frmSkorvelin::SetLinkLook(ControlName link, bool highlighted) {
    bool& look = linkHighlighted_[link - lblSite];
    if (look == highlighted) {
        return;
    }
    look = highlighted;
    // Pure red and underlined while highlighted, pure blue otherwise. A label that draws itself
    // is not redrawn by a new font.
    ApplyFont(link);
    InvalidateRect(controls_[link], nullptr, TRUE);
}

HBRUSH frmSkorvelin::ColourControl(HWND control, HDC dc) const {
    // The read-only usage text asks as a static control does.
    const bool usage = control == controls_[txtDescription];
    if (!control || (!usage && control != controls_[lbl0] && control != controls_[lbl1] &&
                     control != controls_[lblAuteur])) {
        return nullptr;
    }
    SetTextColor(dc, GetSysColor(usage ? COLOR_WINDOWTEXT : COLOR_BTNTEXT));
    SetBkColor(dc, GetSysColor(usage ? COLOR_INFOBK : COLOR_BTNFACE));
    return GetSysColorBrush(usage ? COLOR_INFOBK : COLOR_BTNFACE);
}

void frmSkorvelin::Draw(const DRAWITEMSTRUCT& item) const {
    const HWND control = item.hwndItem;
    if (control == controls_[imgDonner]) {
        DrawBuffered(item, donateShown_, dpi_);
        return;
    }
    FillRect(item.hDC, &item.rcItem, GetSysColorBrush(COLOR_BTNFACE));
    if (control == controls_[picIcône]) {
        DrawBitmap(item.hDC, iconImage_.get(), item.rcItem.left, item.rcItem.top, dpi_);
        return;
    }
    for (const ControlName link : {lblSite, lblEmail}) {
        if (control == controls_[link]) {
            const int index = link - lblSite;
            const SelectedObject font(item.hDC, fonts_[linkHighlighted_[index] ? 1 : 0].get());
            SetTextColor(item.hDC, linkHighlighted_[index] ? RGB(255, 0, 0) : RGB(0, 0, 255));
            SetBkMode(item.hDC, TRANSPARENT);
            const POINT at{item.rcItem.left, item.rcItem.top};
            TextLine(item.hDC, linkCaptions_[index], &at);
        }
    }
}

} // namespace skorvelin
