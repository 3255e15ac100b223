#include "forms/twips.h"

#include "common/system_library.h"
#include "forms/gdi_scope.h"

#include <cmath>

namespace skorvelin {

int TwipsToPixels(float twips, unsigned dpi) {
    return static_cast<int>(std::lround(static_cast<double>(twips) * dpi / kTwipsPerInch));
}

float PixelsToTwips(int pixels, unsigned dpi) {
    return static_cast<float>(static_cast<double>(pixels) * kTwipsPerInch / dpi);
}

int ScaleFrom96(int pixels, unsigned dpi) {
    return MulDiv(pixels, static_cast<int>(dpi), 96);
}

unsigned WindowDpi(HWND window) {
    // Only recent platforms know a per-window value; older ones have one for the whole screen.
    using GetDpiForWindowFn = UINT WINAPI(HWND);
    static const UniqueLibrary user32 = LoadSystemLibrary("user32.dll");
    static auto* const getDpiForWindow = BindFunction<GetDpiForWindowFn>(user32, "GetDpiForWindow");
    if (getDpiForWindow && window) {
        if (const UINT dpi = getDpiForWindow(window)) {
            return dpi;
        }
    }
    const WindowDc screen(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen.get(), LOGPIXELSX) : 0;
    return dpi > 0 ? static_cast<unsigned>(dpi) : kDefaultDpi;
}

} // namespace skorvelin
