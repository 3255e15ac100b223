#include "ui/drawing.h"

#include "common/gdi_scope.h"
#include "common/platform_calls.h"
#include "common/system_library.h"

#include <olectl.h>

#include <cstring>
#include <vector>

namespace skorvelin {
namespace {

// lround's rule, without the maths library that lround would bring into the program.
int RoundToNearest(double value) {
    return static_cast<int>(value < 0 ? value - 0.5 : value + 0.5);
}

// Windows 8.1 knows the dots per inch of each monitor, though not yet of each window: the value
// of the monitor that holds the window; 0 where the system cannot tell. The functions are bound:
// 95 and NT 4.0 have no monitor functions.
unsigned MonitorDpi(HWND window) {
    using MonitorFromWindowFn = HMONITOR WINAPI(HWND, DWORD);
    using GetDpiForMonitorFn = HRESULT WINAPI(HMONITOR, int, UINT*, UINT*);
    auto* const monitorFrom =
        BindFunction<MonitorFromWindowFn>(ImportedLibrary("user32.dll"), "MonitorFromWindow");
    auto* const dpiFor =
        BindFunction<GetDpiForMonitorFn>(SystemLibrary("shcore.dll"), "GetDpiForMonitor");
    const HMONITOR monitor = monitorFrom ? monitorFrom(window, MONITOR_DEFAULTTONEAREST) : nullptr;
    UINT x = 0;
    UINT y = 0;
    // 0: MDT_EFFECTIVE_DPI
    return monitor && dpiFor && SUCCEEDED(dpiFor(monitor, 0, &x, &y)) ? x : 0;
}

} // namespace

int TwipsToPixels(float twips, unsigned dpi) {
    return RoundToNearest(static_cast<double>(twips) * dpi / 1440);
}

float PixelsToTwips(int pixels, unsigned dpi) {
    return static_cast<float>(pixels) * 1440 / static_cast<float>(dpi);
}

int ScaleFrom96(int pixels, unsigned dpi) {
    return (pixels * static_cast<int>(dpi) + 48) / 96; // to the nearest pixel
}

unsigned WindowDpi(HWND window) {
    using GetDpiForWindowFn = UINT WINAPI(HWND);
    auto* const getDpiForWindow =
        BindFunction<GetDpiForWindowFn>(ImportedLibrary("user32.dll"), "GetDpiForWindow");
    if (const unsigned dpi = getDpiForWindow ? getDpiForWindow(window) : MonitorDpi(window)) {
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
    std::char_traits<wchar_t>::copy(font.lfFaceName, L"Tahoma", 7); // with its final null
    return UniqueGdiObject{CreateFontFrom(font)};
}

// Some platforms draw a font slightly wider than they measure it; placing every unit at the
// advance that the measuring reported keeps the text inside the box that the measuring gave.
SIZE TextLine(HDC dc, const std::wstring& text, const POINT* at) {
    const FamilyText units(text);
    std::vector<int> advances(static_cast<size_t>(units.Length()));
    SIZE extent{};
    if (!units.Measure(dc, advances.data(), extent)) {
        extent.cx = 0;
    } else if (at) {
        // Measured are the ends of the units; drawn are their advances, found back to front.
        for (int i = units.Length(); i-- > 1;) {
            advances[i] -= advances[i - 1];
        }
        units.Draw(dc, at->x, at->y, advances.data());
    }
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    return {extent.cx, metrics.tmHeight};
}

// An icon image is a device-independent bitmap twice its height: the colour rows, then the mask.
HBITMAP IconColourImage(int id) {
    const std::string_view image = ResourceBytes(id, kIconImageResource);
    BITMAPINFOHEADER header{};
    if (image.size() < sizeof(header)) {
        return nullptr;
    }
    std::memcpy(&header, image.data(), sizeof(header));
    const size_t rowBytes = (static_cast<size_t>(header.biWidth) * header.biBitCount + 31) / 32 * 4;
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
        // Pixel for pixel: no stretching mode applies.
    } else if (WideApiAvailable()) { // the NT family, asked once per run
        SetStretchBltMode(dc, HALFTONE);
        // Choosing HALFTONE leaves the brush origin undefined: it must be set again.
        SetBrushOrgEx(dc, 0, 0, nullptr);
    } else {
        SetStretchBltMode(dc, COLORONCOLOR); // 95/98/Me have no HALFTONE
    }
    StretchBlt(dc, x, y, width, height, source.get(), 0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
}

Picture LoadPicture(std::string_view bytes, const wchar_t* name) {
    using CreateStreamFn = HRESULT WINAPI(HGLOBAL, BOOL, IStream**);
    using LoadPictureFn = HRESULT WINAPI(IStream*, LONG, BOOL, REFIID, void**);
    auto* const createStream =
        BindFunction<CreateStreamFn>(SystemLibrary("ole32.dll"), "CreateStreamOnHGlobal");
    auto* loadPicture =
        BindFunction<LoadPictureFn>(SystemLibrary("oleaut32.dll"), "OleLoadPicture");
    if (!loadPicture) {
        // Early OLE releases (Windows 95, NT 4.0) keep the picture functions in olepro32.dll.
        loadPicture = BindFunction<LoadPictureFn>(SystemLibrary("olepro32.dll"), "OleLoadPicture");
    }
    Picture picture;
    UniqueGlobalMemory memory{bytes.empty() ? nullptr : GlobalAlloc(GMEM_MOVEABLE, bytes.size())};
    void* const target = memory ? GlobalLock(memory.get()) : nullptr;
    ComPtr<IStream> stream;
    if (!createStream || !loadPicture || !target) {
        return picture;
    }
    std::memcpy(target, bytes.data(), bytes.size());
    GlobalUnlock(memory.get());
    if (FAILED(createStream(memory.get(), TRUE, stream.put()))) {
        return picture;
    }
    memory.release(); // the stream frees it with its last reference
    SHORT type = PICTYPE_UNINITIALIZED;
    OLE_HANDLE handle = 0;
    BITMAP bitmap{};
    // Picture files decode to bitmaps, whose own pixels are the size at 96 dots per inch.
    if (SUCCEEDED(loadPicture(stream.get(), static_cast<LONG>(bytes.size()), FALSE,
                              __uuidof(IPicture),
                              reinterpret_cast<void**>(picture.object.put()))) &&
        SUCCEEDED(picture.object->get_Type(&type)) && type == PICTYPE_BITMAP &&
        SUCCEEDED(picture.object->get_Handle(&handle)) &&
        GetObjectA(reinterpret_cast<HGDIOBJ>(static_cast<UINT_PTR>(handle)), sizeof(bitmap),
                   &bitmap)) {
        picture.pixels = {bitmap.bmWidth, bitmap.bmHeight};
        picture.name = name;
    } else {
        picture.object.reset();
    }
    return picture;
}

void DrawPicture(const Picture& picture, HDC dc, int x, int y, unsigned dpi) {
    OLE_XSIZE_HIMETRIC width = 0;
    OLE_YSIZE_HIMETRIC height = 0;
    if (picture.object && SUCCEEDED(picture.object->get_Width(&width)) &&
        SUCCEEDED(picture.object->get_Height(&height))) {
        // The source rectangle runs bottom-up in HIMETRIC units, hence the negative height.
        picture.object->Render(dc, x, y, ScaleFrom96(picture.pixels.cx, dpi),
                               ScaleFrom96(picture.pixels.cy, dpi), 0, height, width, -height,
                               nullptr);
    }
}

} // namespace skorvelin
