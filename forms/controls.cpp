#include "forms/controls.h"

#include "common/platform_calls.h"
#include "common/gdi_scope.h"
#include "forms/twips.h"

#include <windowsx.h>

#include <algorithm>
#include <vector>

namespace skorvelin {
namespace {

constexpr short kLeftButton = 1;
constexpr short kRightButton = 2;
constexpr short kMiddleButton = 4;

// Text on one line, placed by the advances that the measuring reports. Some platforms draw a
// font slightly wider than they measure it; placing every character ourselves keeps the text
// inside the box that the measuring gave.
class TextLine {
  public:
    TextLine(HDC dc, const std::wstring& text)
        : dc_(dc), text_(text), advances_(static_cast<size_t>(text_.Length())) {
        SIZE extent{};
        if (text_.Measure(dc, advances_.data(), extent)) {
            // Measured are the ends of the units; drawn are their advances, found back to front.
            for (size_t i = advances_.size(); i-- > 1;) {
                advances_[i] -= advances_[i - 1];
            }
            width_ = extent.cx;
        } else {
            std::fill(advances_.begin(), advances_.end(), 0);
        }
        height_ = LineHeight(dc);
    }

    SIZE Extent() const { return {width_, height_}; }

    void Draw(int x, int y) const {
        if (advances_.empty()) {
            return;
        }
        text_.Draw(dc_, x, y, advances_.data());
    }

  private:
    HDC dc_;
    FamilyText text_;
    std::vector<int> advances_;
    int width_ = 0;
    int height_ = 0;
};

// Paints through a memory bitmap, so that the background and the picture over it reach the
// screen in one step and the picture does not flicker when it changes.
template <typename Paint> void PaintBuffered(const DRAWITEMSTRUCT& item, Paint paint) {
    const RECT& bounds = item.rcItem;
    const int width = bounds.right - bounds.left;
    const int height = bounds.bottom - bounds.top;
    const UniqueMemoryDc memory{CreateCompatibleDC(item.hDC)};
    const UniqueGdiObject bitmap{memory ? CreateCompatibleBitmap(item.hDC, width, height)
                                        : nullptr};
    if (!bitmap) {
        paint(item.hDC, bounds);
        return;
    }
    const SelectedObject selected(memory.get(), bitmap.get());
    paint(memory.get(), RECT{0, 0, width, height});
    BitBlt(item.hDC, bounds.left, bounds.top, width, height, memory.get(), 0, 0, SRCCOPY);
}

} // namespace

// ---- Control

Control::~Control() {
    if (window_) {
        DestroyWindow(window_);
    }
}

Control* Control::FromWindow(HWND window) {
    // The pointer stored on the window is trusted only on a window that runs our procedure:
    // any other window may keep anything there.
    if (!window || GetLongPtr(window, GWLP_WNDPROC) !=
                       reinterpret_cast<LONG_PTR>(&Control::SubclassProcedure)) {
        return nullptr;
    }
    auto* const control = reinterpret_cast<Control*>(GetLongPtr(window, GWLP_USERDATA));
    return control && control->window_ == window ? control : nullptr;
}

void Control::Move(float left, float top) {
    Move(left, top, width_, height_);
}

void Control::Move(float left, float top, float width, float height) {
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    ApplyLayout();
}

bool Control::Load(Form& form, int id) {
    form_ = &form;
    const unsigned dpi = form.Dpi();
    const int left = TwipsToPixels(left_, dpi);
    const int top = TwipsToPixels(top_, dpi);
    const RECT bounds{left, top, left + TwipsToPixels(width_, dpi),
                      top + TwipsToPixels(height_, dpi)};
    const WindowKind kind = Kind();
    // Overlapping boxes are clipped by the controls above them rather than painted over them.
    const DWORD style = kind.style | WS_CHILD | WS_CLIPSIBLINGS | (visible_ ? WS_VISIBLE : 0);
    window_ = CreatePlatformWindow(0, kind.className, InitialText().c_str(), style, bounds,
                                   form.hWnd(), id, nullptr);
    if (!window_) {
        return false;
    }
    SetLongPtr(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    original_ = reinterpret_cast<WNDPROC>(
        SetLongPtr(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SubclassProcedure)));
    ApplyFont();
    OnLoaded();
    return true;
}

void Control::ApplyDpi() {
    ApplyFont();
    ApplyLayout();
}

void Control::ApplyLayout() {
    if (!window_) {
        return;
    }
    const unsigned dpi = form_->Dpi();
    MoveWindow(window_, TwipsToPixels(left_, dpi), TwipsToPixels(top_, dpi),
               TwipsToPixels(width_, dpi), TwipsToPixels(height_, dpi), TRUE);
}

void Control::ApplyFont() {
    if (window_ && handling_.showsText) {
        SendTo(window_, WM_SETFONT, reinterpret_cast<WPARAM>(CurrentFont()), TRUE);
    }
}

LRESULT CALLBACK Control::SubclassProcedure(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam) noexcept {
    auto* control = reinterpret_cast<Control*>(GetLongPtr(window, GWLP_USERDATA));
    if (!control || control->window_ != window) {
        return DefaultProcedure(window, message, wParam, lParam);
    }
    return control->OnMessage(message, wParam, lParam);
}

LRESULT Control::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    const HWND window = window_;
    const WNDPROC original = original_;
    switch (message) {
    case WM_SETCURSOR:
        if (cursor_ && LOWORD(lParam) == HTCLIENT) {
            SetCursor(cursor_);
            return TRUE;
        }
        break;
    case WM_GETDLGCODE:
        return CallProcedure(original, window, message, wParam, lParam) &
               ~handling_.leavesDialogCodes;
    case WM_GETFONT:
        // Controls that draw their text themselves do not keep the font they are given.
        if (handling_.showsText) {
            return reinterpret_cast<LRESULT>(CurrentFont());
        }
        break;
    case WM_CAPTURECHANGED:
        buttonsDown_ = 0;
        break;
    case WM_NCDESTROY:
        SetLongPtr(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
        SetLongPtr(window, GWLP_USERDATA, 0);
        window_ = nullptr;
        original_ = nullptr;
        buttonsDown_ = 0;
        break;
    default:
        break;
    }

    const LRESULT result = CallProcedure(original, window, message, wParam, lParam);
    // The handlers run once the control has done its own part, and may unload the form.
    switch (message) {
    case WM_MOUSEMOVE:
        if (MouseMove) {
            MouseMove(*form_, form_->MouseArgsFor(MouseButtons(wParam), wParam, lParam));
        }
        break;
    case WM_LBUTTONDOWN:
        OnButtonDown(kLeftButton, wParam, lParam, false);
        break;
    case WM_LBUTTONDBLCLK:
        OnButtonDown(kLeftButton, wParam, lParam, true);
        break;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
        OnButtonDown(kRightButton, wParam, lParam, false);
        break;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
        OnButtonDown(kMiddleButton, wParam, lParam, false);
        break;
    case WM_LBUTTONUP:
        OnButtonUp(kLeftButton, wParam, lParam);
        break;
    case WM_RBUTTONUP:
        OnButtonUp(kRightButton, wParam, lParam);
        break;
    case WM_MBUTTONUP:
        OnButtonUp(kMiddleButton, wParam, lParam);
        break;
    default:
        break;
    }
    return result;
}

void Control::OnButtonDown(short button, WPARAM keys, LPARAM position, bool doubleClick) {
    if (button == kLeftButton) {
        // The second press of a double-click is still a press, but its release is no click:
        // one double-click opens a link once.
        secondClick_ = doubleClick;
    }
    if (handling_.capturesMouse) {
        if (buttonsDown_ == 0) {
            SetCapture(window_);
        }
        buttonsDown_ |= static_cast<unsigned>(button);
    }
    if (MouseDown) {
        MouseDown(*form_, form_->MouseArgsFor(button, keys, position));
    }
}

void Control::OnButtonUp(short button, WPARAM keys, LPARAM position) {
    bool click = false;
    if (handling_.capturesMouse) {
        if (!(buttonsDown_ & static_cast<unsigned>(button))) {
            return; // pressed elsewhere: the release belongs to another window
        }
        RECT client{};
        GetClientRect(window_, &client);
        const POINT at{GET_X_LPARAM(position), GET_Y_LPARAM(position)};
        click = button == kLeftButton && !secondClick_ && PtInRect(&client, at);
        buttonsDown_ &= ~static_cast<unsigned>(button);
        // Buttons are counted only while the capture is ours: losing it clears them.
        if (buttonsDown_ == 0) {
            ReleaseCapture();
        }
    }
    const MouseArgs args = form_->MouseArgsFor(button, keys, position);
    if (MouseUp) {
        MouseUp(*form_, args);
    }
    if (click && Click) {
        Click(*form_);
    }
}

// ---- Label

Label::WindowKind Label::Kind() const {
    // A label that sizes itself draws its one line itself, exactly as it measured it; the others
    // wrap at word boundaries.
    return {L"STATIC", static_cast<DWORD>(autoSize_ ? SS_OWNERDRAW : SS_LEFT) | SS_NOTIFY};
}

void Label::SetCaption(std::wstring caption) {
    caption_ = std::move(caption);
    if (window_) {
        SetText(window_, caption_.c_str());
        Fit();
    }
}

void Label::SetForeColor(ColorValue color) {
    if (color == foreColor_) {
        return;
    }
    foreColor_ = color;
    if (window_) {
        InvalidateRect(window_, nullptr, TRUE);
    }
}

void Label::SetFontUnderline(bool underline) {
    if (underline == underline_) {
        return;
    }
    underline_ = underline;
    ApplyFont();
    if (window_) {
        // A label that draws itself keeps no font of its own, so it is not redrawn by the above.
        InvalidateRect(window_, nullptr, TRUE);
    }
}

void Label::Fit() {
    if (!autoSize_ || !window_) {
        return;
    }
    const unsigned dpi = form_->Dpi();
    const WindowDc dc(window_);
    if (!dc) {
        return;
    }
    const SelectedObject font(dc.get(), CurrentFont());
    const SIZE extent = TextLine(dc.get(), caption_).Extent();
    Move(Left(), Top(), PixelsToTwips(extent.cx, dpi), PixelsToTwips(extent.cy, dpi));
}

void Label::OnDraw(const DRAWITEMSTRUCT& item) {
    FillRect(item.hDC, &item.rcItem, GetSysColorBrush(COLOR_BTNFACE));
    const SelectedObject font(item.hDC, CurrentFont());
    SetTextColor(item.hDC, ResolveColor(foreColor_));
    SetBkMode(item.hDC, TRANSPARENT);
    TextLine(item.hDC, caption_).Draw(item.rcItem.left, item.rcItem.top);
}

void Label::ApplyDpi() {
    ApplyFont();
    Fit();
    ApplyLayout();
}

HBRUSH Label::OnColor(HDC dc) {
    SetTextColor(dc, ResolveColor(foreColor_));
    SetBkColor(dc, ResolveColor(kButtonFaceColor));
    return GetSysColorBrush(COLOR_BTNFACE);
}

// ---- TextBox

TextBox::WindowKind TextBox::Kind() const {
    return {L"EDIT", ES_LEFT | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL |
                         WS_TABSTOP | WS_BORDER};
}

void TextBox::SetText(std::wstring text) {
    text_ = std::move(text);
    if (window_) {
        skorvelin::SetText(window_, text_.c_str());
    }
}

HBRUSH TextBox::OnColor(HDC dc) {
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    SetBkColor(dc, GetSysColor(backColor_));
    return GetSysColorBrush(backColor_);
}

// ---- CommandButton

CommandButton::WindowKind CommandButton::Kind() const {
    return {L"BUTTON",
            static_cast<DWORD>(default_ ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) | WS_TABSTOP};
}

void CommandButton::OnLoaded() {
    if (default_) {
        form_->SetDefaultButton(*this);
    }
    if (cancel_) {
        form_->SetCancelButton(*this);
    }
}

void CommandButton::OnCommand(WORD code) {
    if (code == BN_CLICKED && Click) {
        Click(*form_);
    }
}

// ---- PictureBox

PictureBox::WindowKind PictureBox::Kind() const {
    return {L"STATIC", SS_OWNERDRAW | SS_NOTIFY};
}

void PictureBox::OnDraw(const DRAWITEMSTRUCT& item) {
    FillRect(item.hDC, &item.rcItem, GetSysColorBrush(COLOR_BTNFACE));
    BITMAP info{};
    if (!bitmap_ || !ReadBitmapInfo(bitmap_.get(), info)) {
        return;
    }
    const UniqueMemoryDc source{CreateCompatibleDC(item.hDC)};
    if (!source) {
        return;
    }
    const SelectedObject selected(source.get(), bitmap_.get());
    const unsigned dpi = form_->Dpi();
    const int width = ScaleFrom96(info.bmWidth, dpi);
    const int height = ScaleFrom96(info.bmHeight, dpi);
    if (width == info.bmWidth && height == info.bmHeight) {
        BitBlt(item.hDC, item.rcItem.left, item.rcItem.top, width, height, source.get(), 0, 0,
               SRCCOPY);
    } else {
        if (WideApiAvailable()) { // the NT family, asked once per run
            SetStretchBltMode(item.hDC, HALFTONE);
            // Choosing HALFTONE leaves the brush origin undefined: it must be set again.
            SetBrushOrgEx(item.hDC, 0, 0, nullptr);
        } else {
            // 95/98/Me have no HALFTONE mode.
            SetStretchBltMode(item.hDC, COLORONCOLOR);
        }
        StretchBlt(item.hDC, item.rcItem.left, item.rcItem.top, width, height, source.get(), 0, 0,
                   info.bmWidth, info.bmHeight, SRCCOPY);
    }
}

// ---- Image

Image::WindowKind Image::Kind() const {
    return {L"STATIC", SS_OWNERDRAW | SS_NOTIFY};
}

void Image::SetPicture(PictureRef picture) {
    picture_ = std::move(picture);
    if (window_) {
        SetText(window_, picture_ ? picture_->Name().c_str() : L"");
        InvalidateRect(window_, nullptr, FALSE);
    }
}

void Image::OnDraw(const DRAWITEMSTRUCT& item) {
    const unsigned dpi = form_->Dpi();
    PaintBuffered(item, [this, dpi](HDC dc, const RECT& bounds) {
        // Transparent pixels of the picture show the form's background.
        FillRect(dc, &bounds, GetSysColorBrush(COLOR_BTNFACE));
        if (picture_) {
            const SIZE pixels = picture_->Pixels();
            const RECT target{bounds.left, bounds.top, bounds.left + ScaleFrom96(pixels.cx, dpi),
                              bounds.top + ScaleFrom96(pixels.cy, dpi)};
            picture_->Render(dc, target);
        }
    });
}

} // namespace skorvelin
