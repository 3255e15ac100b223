#include "ui/window_scale.h"

#include "common/gdi_scope.h"
#include "common/platform_calls.h"
#include "common/system_library.h"

#include <algorithm>

namespace skorvelin {
namespace {

constexpr unsigned kTwipsPerInch = 1440;

// lround's rule, without the maths library that lround would bring into the program.
int RoundToNearest(double value) {
    return static_cast<int>(value < 0 ? value - 0.5 : value + 0.5);
}

// Windows 8.1 knows the dots per inch of each monitor, though not yet of each window: the value
// of the monitor that holds the window; 0 where the system cannot tell.
unsigned MonitorDpi(HWND window) {
    using MonitorFromWindowFn = HMONITOR WINAPI(HWND, DWORD);
    using GetDpiForMonitorFn = HRESULT WINAPI(HMONITOR, int, UINT*, UINT*);
    constexpr int kEffectiveDpi = 0; // MDT_EFFECTIVE_DPI
    auto* const getDpiForMonitor =
        BindFunction<GetDpiForMonitorFn>(SystemLibrary("shcore.dll"), "GetDpiForMonitor");
    // Bound too: 95 and NT 4.0 have no monitor functions.
    auto* const monitorFromWindow =
        BindFunction<MonitorFromWindowFn>(ImportedLibrary("user32.dll"), "MonitorFromWindow");
    if (!getDpiForMonitor || !monitorFromWindow) {
        return 0;
    }
    const HMONITOR monitor = monitorFromWindow(window, MONITOR_DEFAULTTONEAREST);
    UINT x = 0;
    UINT y = 0;
    return monitor && SUCCEEDED(getDpiForMonitor(monitor, kEffectiveDpi, &x, &y)) ? x : 0;
}

} // namespace

int TwipsToPixels(float twips, unsigned dpi) {
    return RoundToNearest(static_cast<double>(twips) * dpi / kTwipsPerInch);
}

float PixelsToTwips(int pixels, unsigned dpi) {
    return static_cast<float>(static_cast<double>(pixels) * kTwipsPerInch / dpi);
}

int ScaleFrom96(int pixels, unsigned dpi) {
    return MulDiv(pixels, static_cast<int>(dpi), 96);
}

unsigned WindowDpi(HWND window) {
    using GetDpiForWindowFn = UINT WINAPI(HWND);
    if (auto* const getDpiForWindow =
            BindFunction<GetDpiForWindowFn>(ImportedLibrary("user32.dll"), "GetDpiForWindow")) {
        if (const UINT dpi = getDpiForWindow(window)) {
            return dpi;
        }
    } else if (const unsigned dpi = MonitorDpi(window)) {
        return dpi;
    }
    // Older systems have one value for the whole screen.
    const WindowDc screen(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen.get(), LOGPIXELSX) : 0;
    return dpi > 0 ? static_cast<unsigned>(dpi) : 96;
}

UniqueGdiObject CreateFormFont(unsigned dpi, bool underlined) {
    LOGFONTW font{};
    font.lfHeight = -RoundToNearest(8.25 * dpi / 72.0);
    font.lfWeight = FW_NORMAL;
    font.lfUnderline = underlined ? TRUE : FALSE;
    font.lfCharSet = ANSI_CHARSET;
    constexpr wchar_t kFace[] = L"Tahoma";
    std::copy(std::begin(kFace), std::end(kFace), font.lfFaceName);
    return UniqueGdiObject{CreateFontFrom(font)};
}

} // namespace skorvelin
