#include "ui/ole_pictures.h"

#include "common/gdi_scope.h"
#include "common/platform_calls.h"
#include "common/system_library.h"
#include "ui/window_scale.h"

#include <olectl.h>

#include <cstring>

namespace skorvelin {
namespace {

constexpr long kHimetricPerInch = 2540;

// A bitmap's own pixels, otherwise the picture's physical size at 96 dots per inch.
SIZE PixelSize(IPicture& picture) {
    SHORT type = PICTYPE_UNINITIALIZED;
    OLE_HANDLE handle = 0;
    BITMAP bitmap{};
    if (SUCCEEDED(picture.get_Type(&type)) && type == PICTYPE_BITMAP &&
        SUCCEEDED(picture.get_Handle(&handle)) &&
        GetObjectA(reinterpret_cast<HGDIOBJ>(static_cast<UINT_PTR>(handle)), sizeof(bitmap),
                   &bitmap)) {
        return {bitmap.bmWidth, bitmap.bmHeight};
    }
    OLE_XSIZE_HIMETRIC width = 0;
    OLE_YSIZE_HIMETRIC height = 0;
    picture.get_Width(&width);
    picture.get_Height(&height);
    return {MulDiv(width, 96, kHimetricPerInch), MulDiv(height, 96, kHimetricPerInch)};
}

ComPtr<IPicture> Decode(std::string_view bytes) {
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
    ComPtr<IPicture> picture;
    UniqueGlobalMemory memory{bytes.empty() ? nullptr : GlobalAlloc(GMEM_MOVEABLE, bytes.size())};
    void* const target = memory ? GlobalLock(memory.get()) : nullptr;
    if (!createStream || !loadPicture || !target) {
        return picture;
    }
    std::memcpy(target, bytes.data(), bytes.size());
    GlobalUnlock(memory.get());
    ComPtr<IStream> stream;
    if (FAILED(createStream(memory.get(), TRUE, stream.put()))) {
        return picture;
    }
    memory.release(); // the stream frees it with its last reference
    if (FAILED(loadPicture(stream.get(), static_cast<LONG>(bytes.size()), FALSE, __uuidof(IPicture),
                           reinterpret_cast<void**>(picture.put())))) {
        picture.reset();
    }
    return picture;
}

} // namespace

Picture LoadPicture(std::string_view bytes, const wchar_t* name) {
    Picture picture;
    picture.object = Decode(bytes);
    if (picture.object) {
        picture.pixels = PixelSize(*picture.object.get());
        picture.name = name;
    }
    return picture;
}

void DrawPicture(const Picture& picture, HDC dc, int x, int y, unsigned dpi) {
    if (!picture.object) {
        return;
    }
    OLE_XSIZE_HIMETRIC width = 0;
    OLE_YSIZE_HIMETRIC height = 0;
    picture.object->get_Width(&width);
    picture.object->get_Height(&height);
    // The source rectangle runs bottom-up in HIMETRIC units, hence the negative height.
    picture.object->Render(dc, x, y, ScaleFrom96(picture.pixels.cx, dpi),
                           ScaleFrom96(picture.pixels.cy, dpi), 0, height, width, -height, nullptr);
}

} // namespace skorvelin
