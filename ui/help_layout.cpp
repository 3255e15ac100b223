// The design of the help window: the controls that have a window, made from one table, and how
// each of them is painted.
#include "ui/frm_skorvelin.h"

#include "common/gdi_scope.h"
#include "common/platform_calls.h"
#include "ui/resources/resource_ids.h"
#include "ui/window_scale.h"

#include <cstring>
#include <iterator>
#include <vector>

namespace skorvelin {
namespace {

using F = frmSkorvelin;

struct ControlRow {
    F::ControlName name;
    const wchar_t* windowClass;
    // The box in twips from the client area's corner. A link takes the size of its caption.
    float left, top, width, height;
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
    // name             class      Left  Top   Width Height style                         text       hand
    {F::picIcône,       L"STATIC", 120,  180,  720,  720,  kPicture,                      L"",       false},
    {F::btnOK,          L"BUTTON", 4440, 120,  1335, 495,  BS_DEFPUSHBUTTON | WS_TABSTOP, L"&OK",    false},
    {F::txtDescription, L"EDIT",   120,  1080, 5655, 4080, kUsage,                        L"",       false},
    {F::lblSite,        L"STATIC", 1605, 420,  1770, 195,  kLink,                         L"",       true},
    {F::lblEmail,       L"STATIC", 1605, 660,  1530, 195,  kLink,                         L"",       true},
    {F::lbl0,           L"STATIC", 1035, 420,  615,  255,  kLabel,                        L"Www :",  false},
    {F::lbl1,           L"STATIC", 1035, 660,  615,  255,  kLabel,                        L"eMail :", false},
    {F::lblAuteur,      L"STATIC", 1005, 180,  3135, 255,  kLabel,                        L"",       false},
    {F::imgDonner,      L"STATIC", 4425, 660,  1335, 315,  kPicture,                      L"",       true},
};
// clang-format on

constexpr bool InNameOrder() {
    for (int c = 0; c < F::kControlCount; ++c) {
        if (kControls[c].name != c) {
            return false;
        }
    }
    return std::size(kControls) == F::kControlCount;
}
static_assert(InNameOrder(), "one row per control, in the order of ControlName");

bool IsLink(int control) {
    return control == F::lblSite || control == F::lblEmail;
}

// The colour image of one of the program's icon images, as a bitmap of its own. An icon image is
// a device-independent bitmap twice its height: the colour rows, then the mask's.
HBITMAP IconColourImage(int id) {
    const std::string_view image = ResourceBytes(id, kIconImageResource);
    BITMAPINFOHEADER header{};
    if (image.size() < sizeof(header)) {
        return nullptr;
    }
    std::memcpy(&header, image.data(), sizeof(header));
    const size_t rowBytes =
        ((static_cast<size_t>(header.biWidth) * header.biBitCount + 31) / 32) * 4;
    header.biHeight /= 2;
    header.biSizeImage = 0;
    // The program's icon images have true colours and so no colour table.
    if (header.biBitCount != 24 || header.biCompression != BI_RGB ||
        image.size() < header.biSize + rowBytes * static_cast<size_t>(header.biHeight)) {
        return nullptr;
    }
    const WindowDc screen(nullptr);
    return CreateDIBitmap(screen.get(), &header, CBM_INIT, image.data() + header.biSize,
                          reinterpret_cast<const BITMAPINFO*>(&header), DIB_RGB_COLORS);
}

// Measures `text` on one line in the font of `dc`, and draws it at `at` when given, each unit at
// the advance the measuring reported. Some platforms draw a font slightly wider than they
// measure it; placing every unit ourselves keeps the text inside the box that the measuring gave.
SIZE TextLine(HDC dc, const std::wstring& text, const POINT* at = nullptr) {
    const FamilyText units(text);
    std::vector<int> advances(static_cast<size_t>(units.Length()));
    SIZE extent{};
    if (!units.Measure(dc, advances.data(), extent)) {
        extent.cx = 0;
    } else if (at) {
        // Measured are the ends of the units; drawn are their advances, found back to front.
        for (size_t i = advances.size(); i-- > 1;) {
            advances[i] -= advances[i - 1];
        }
        units.Draw(dc, at->x, at->y, advances.data());
    }
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    return {extent.cx, metrics.tmHeight};
}

// Stretched, a picture follows the family's way: HALFTONE on the NT family, COLORONCOLOR on
// 95/98/Me, which have no HALFTONE.
void DrawBitmap(HDC dc, HGDIOBJ bitmap, int x, int y, unsigned dpi) {
    BITMAP info{};
    const UniqueMemoryDc source{CreateCompatibleDC(dc)};
    if (!bitmap || !GetObjectA(bitmap, sizeof(info), &info) || !source) {
        return;
    }
    const SelectedObject selected(source.get(), bitmap);
    const int width = ScaleFrom96(info.bmWidth, dpi);
    const int height = ScaleFrom96(info.bmHeight, dpi);
    if (width == info.bmWidth && height == info.bmHeight) {
        BitBlt(dc, x, y, width, height, source.get(), 0, 0, SRCCOPY);
        return;
    }
    if (WideApiAvailable()) { // the NT family, asked once per run
        SetStretchBltMode(dc, HALFTONE);
        // Choosing HALFTONE leaves the brush origin undefined: it must be set again.
        SetBrushOrgEx(dc, 0, 0, nullptr);
    } else {
        SetStretchBltMode(dc, COLORONCOLOR);
    }
    StretchBlt(dc, x, y, width, height, source.get(), 0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
}

// Paints through a memory bitmap, so that the background and the picture over it reach the
// screen in one step and the picture does not flicker when it changes.
void DrawBuffered(const DRAWITEMSTRUCT& item, const Picture* picture, unsigned dpi) {
    const RECT& bounds = item.rcItem;
    const int width = bounds.right - bounds.left;
    const int height = bounds.bottom - bounds.top;
    const UniqueMemoryDc memory{CreateCompatibleDC(item.hDC)};
    const UniqueGdiObject bitmap{memory ? CreateCompatibleBitmap(item.hDC, width, height)
                                        : nullptr};
    const HDC dc = bitmap ? memory.get() : item.hDC;
    const SelectedObject selected(memory.get(), bitmap ? bitmap.get() : nullptr);
    const RECT target = bitmap ? RECT{0, 0, width, height} : bounds;
    // Transparent pixels of the picture show the form's background.
    FillRect(dc, &target, GetSysColorBrush(COLOR_BTNFACE));
    if (picture) {
        DrawPicture(*picture, dc, target.left, target.top, dpi);
    }
    if (bitmap) {
        BitBlt(item.hDC, bounds.left, bounds.top, width, height, memory.get(), 0, 0, SRCCOPY);
    }
}

} // namespace

void frmSkorvelin::LoadControls() {
    // The program carries its own hand: the oldest platforms have none.
    hand_ = LoadCursorA(ProgramInstance(), MAKEINTRESOURCEA(IDC_HAND_CURSOR));
    // Pixel for pixel the colour image of the 48-pixel application icon.
    iconImage_.reset(IconColourImage(IDI_APPLICATION_ICON_48));
    imgDonnerFR = LoadPicture(ResourceBytes(IDR_DONATE_FR), L"Faire un don");
    imgDonnerEN = LoadPicture(ResourceBytes(IDR_DONATE_EN), L"Donate");
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

bool frmSkorvelin::ShowsHand(ControlName c) {
    return kControls[c].hand;
}

void frmSkorvelin::ApplyFont(ControlName c) {
    if (c == picIcône || c == imgDonner) {
        return;
    }
    const bool underlined = IsLink(c) && linkHighlighted_[c - lblSite];
    SendMessageA(controls_[c], WM_SETFONT, reinterpret_cast<WPARAM>(fonts_[underlined].get()), 0);
    if (IsLink(c)) {
        Fit(c);
    }
}

void frmSkorvelin::Place(ControlName control) {
    const ControlRow& row = kControls[control];
    const float sunk = control == imgDonner ? donateSunk_ : 0;
    const SIZE size = IsLink(control)
                          ? linkSizes_[control - lblSite]
                          : SIZE{TwipsToPixels(row.width, dpi_), TwipsToPixels(row.height, dpi_)};
    MoveWindow(controls_[control], TwipsToPixels(row.left + sunk, dpi_),
               TwipsToPixels(row.top + sunk, dpi_), size.cx, size.cy, TRUE);
}

void frmSkorvelin::Fit(ControlName link) {
    const WindowDc dc(controls_[link]);
    if (!dc) {
        return;
    }
    const int index = link - lblSite;
    const SelectedObject font(dc.get(), fonts_[linkHighlighted_[index] ? 1 : 0].get());
    linkSizes_[index] = TextLine(dc.get(), linkCaptions_[index]);
}

void frmSkorvelin::SetLinkCaption(ControlName link, std::wstring caption) {
    SetText(controls_[link], caption.c_str());
    linkCaptions_[link - lblSite] = std::move(caption);
    Fit(link);
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
    if (control && control == controls_[txtDescription]) {
        SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
        SetBkColor(dc, GetSysColor(COLOR_INFOBK));
        return GetSysColorBrush(COLOR_INFOBK);
    }
    for (const ControlName label : {lbl0, lbl1, lblAuteur}) {
        if (control && control == controls_[label]) {
            SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
            SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
            return GetSysColorBrush(COLOR_BTNFACE);
        }
    }
    return nullptr;
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
