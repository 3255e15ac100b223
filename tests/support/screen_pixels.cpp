#include "tests/support/screen_pixels.h"

#include "common/unique_handle.h"

#include <algorithm>
#include <cstdlib>

namespace skorvelin::support {
namespace {

using skorvelin::UniqueGdiObject;

// A pixel of blue or red text: the one channel well above the other two. Edge pixels that the
// font smoothing blended with the background still count; grey background never does.
constexpr int kHueMargin = 96;
// Pure colours, allowing for nothing but rounding in the display path.
constexpr int kPureTolerance = 16;
// An underline runs under the whole text; no glyph row of a link comes near that.
constexpr double kUnderlineShare = 0.8;
// The underline may sit on the row just below the label's box.
constexpr int kRowsBelowLabel = 2;

bool Bluish(Rgb p) {
    return p.blue - std::max(p.red, p.green) >= kHueMargin;
}
bool Reddish(Rgb p) {
    return p.red - std::max(p.green, p.blue) >= kHueMargin;
}
bool TextPixel(Rgb p) {
    return Bluish(p) || Reddish(p);
}

bool Pure(Rgb p, Rgb wanted) {
    return std::abs(p.red - wanted.red) <= kPureTolerance &&
           std::abs(p.green - wanted.green) <= kPureTolerance &&
           std::abs(p.blue - wanted.blue) <= kPureTolerance;
}

RECT LabelCaptureBox(HWND label) {
    RECT box{};
    GetWindowRect(label, &box);
    box.bottom += kRowsBelowLabel;
    return box;
}

// A capture may fall between the erasing and the drawing of a repaint.
constexpr int kStableReadings = 2;
constexpr int kMaxReadings = 20;
constexpr DWORD kReadingGapMs = 25;

} // namespace

ScreenImage::ScreenImage(const RECT& screenBox, HDC source)
    : width_(screenBox.right - screenBox.left), height_(screenBox.bottom - screenBox.top),
      pixels_(static_cast<size_t>(std::max(width_, 0) * std::max(height_, 0))) {
    if (pixels_.empty()) {
        return;
    }
    // Another device context is read without the screen's.
    const HDC screen = source ? nullptr : GetDC(nullptr);
    const HDC from = source ? source : screen;
    const HDC memory = CreateCompatibleDC(from);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width_;
    info.bmiHeader.biHeight = -height_; // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    const UniqueGdiObject bitmap{CreateDIBSection(from, &info, DIB_RGB_COLORS, &bits, nullptr, 0)};
    if (bitmap && memory) {
        const HGDIOBJ previous = SelectObject(memory, bitmap.get());
        BitBlt(memory, 0, 0, width_, height_, from, screenBox.left, screenBox.top, SRCCOPY);
        GdiFlush();
        std::copy_n(static_cast<const DWORD*>(bits), pixels_.size(), pixels_.begin());
        SelectObject(memory, previous);
    }
    DeleteDC(memory);
    if (screen) {
        ReleaseDC(nullptr, screen);
    }
}

Rgb ScreenImage::At(int x, int y) const {
    const DWORD p = pixels_[static_cast<size_t>(y * width_ + x)];
    return {static_cast<int>((p >> 16) & 0xFF), static_cast<int>((p >> 8) & 0xFF),
            static_cast<int>(p & 0xFF)};
}

std::ostream& operator<<(std::ostream& out, const LinkLook& look) {
    const char* colour = look.colour == LinkColour::Blue  ? "blue"
                         : look.colour == LinkColour::Red ? "red"
                                                          : "neither pure blue nor pure red";
    return out << colour << (look.underlined ? ", underlined" : ", not underlined");
}

namespace {

LinkLook LinkLookNow(HWND label) {
    const ScreenImage image(LabelCaptureBox(label));
    int bluish = 0;
    int reddish = 0;
    bool pureBlue = false;
    bool pureRed = false;
    bool underlined = false;
    for (int y = 0; y < image.Height(); ++y) {
        int run = 0;
        int longestRun = 0;
        for (int x = 0; x < image.Width(); ++x) {
            const Rgb p = image.At(x, y);
            bluish += Bluish(p) ? 1 : 0;
            reddish += Reddish(p) ? 1 : 0;
            pureBlue = pureBlue || Pure(p, {0, 0, 255});
            pureRed = pureRed || Pure(p, {255, 0, 0});
            run = TextPixel(p) ? run + 1 : 0;
            longestRun = std::max(longestRun, run);
        }
        underlined = underlined || longestRun >= kUnderlineShare * image.Width();
    }
    LinkColour colour = LinkColour::Other;
    if (bluish > 0 && reddish == 0 && pureBlue) {
        colour = LinkColour::Blue;
    } else if (reddish > 0 && bluish == 0 && pureRed) {
        colour = LinkColour::Red;
    }
    return {colour, underlined};
}

} // namespace

LinkLook ReadLinkLook(HWND label) {
    LinkLook look = LinkLookNow(label);
    int same = 1;
    for (int reading = 1; reading < kMaxReadings && same < kStableReadings; ++reading) {
        Sleep(kReadingGapMs);
        const LinkLook next = LinkLookNow(label);
        same = next == look ? same + 1 : 1;
        look = next;
    }
    return look;
}

namespace {

// The donate pictures are 89 pixels wide. Columns 1 to 9 from either end, in the middle rows,
// are the French button's ends and transparent in the English picture, whose button spans
// columns 11 to 77.
constexpr int kPictureWidth = 89;
constexpr int kEndFrom = 1;
constexpr int kEndTo = 10;
constexpr int kCentreHalfWidth = 20;
// Nearly every pixel of a part must agree: rims and anti-aliasing may go either way.
constexpr double kShareThatCounts = 0.9;

bool Background(Rgb p) {
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    return p.red == GetRValue(face) && p.green == GetGValue(face) && p.blue == GetBValue(face);
}

} // namespace

std::ostream& operator<<(std::ostream& out, DonatePicture picture) {
    return out << (picture == DonatePicture::French    ? "the French picture"
                   : picture == DonatePicture::English ? "the English picture"
                                                       : "neither donate picture");
}

DonatePicture ReadDonatePicture(HWND image) {
    RECT box{};
    GetWindowRect(image, &box);
    const ScreenImage shot(box);
    if (shot.Width() <= 0 || shot.Height() <= 0) {
        return DonatePicture::Other;
    }
    const auto column = [&](int pictureColumn) {
        return pictureColumn * shot.Width() / kPictureWidth;
    };
    int ends = 0;
    int endsPainted = 0;
    int centre = 0;
    int centrePainted = 0;
    for (int y = shot.Height() / 3; y < shot.Height() * 2 / 3; ++y) {
        for (int c = kEndFrom; c < kEndTo; ++c) {
            for (const int x : {column(c), shot.Width() - 1 - column(c)}) {
                ++ends;
                endsPainted += Background(shot.At(x, y)) ? 0 : 1;
            }
        }
        const int middle = shot.Width() / 2;
        for (int x = middle - column(kCentreHalfWidth); x < middle + column(kCentreHalfWidth);
             ++x) {
            ++centre;
            centrePainted += Background(shot.At(x, y)) ? 0 : 1;
        }
    }
    if (centre == 0 || centrePainted < kShareThatCounts * centre) {
        return DonatePicture::Other;
    }
    if (endsPainted >= kShareThatCounts * ends) {
        return DonatePicture::French;
    }
    if (endsPainted <= (1 - kShareThatCounts) * ends) {
        return DonatePicture::English;
    }
    return DonatePicture::Other;
}

int PixelsOffBackground(const RECT& screenBox, const std::vector<HWND>& leftOut) {
    std::vector<RECT> covered;
    for (const HWND window : leftOut) {
        RECT box{};
        if (GetWindowRect(window, &box)) {
            covered.push_back(box);
        }
    }
    const ScreenImage shot(screenBox);
    int off = 0;
    for (int y = 0; y < shot.Height(); ++y) {
        for (int x = 0; x < shot.Width(); ++x) {
            const POINT at{screenBox.left + x, screenBox.top + y};
            const bool underAWindow = std::any_of(covered.begin(), covered.end(),
                                                  [&](const RECT& r) { return PtInRect(&r, at); });
            off += !underAWindow && !Background(shot.At(x, y)) ? 1 : 0;
        }
    }
    return off;
}

} // namespace skorvelin::support
