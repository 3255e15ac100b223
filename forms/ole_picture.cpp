#include "forms/ole_picture.h"

#include "common/platform_calls.h"
#include "common/system_library.h"
#include "common/gdi_scope.h"

#include <olectl.h>

#include <cstring>

namespace skorvelin {
namespace {

constexpr long kHimetricPerInch = 2540;

// The picture's size in pixels at 96 dots per inch: a bitmap's own pixels, otherwise its
// physical size.
SIZE PixelSize(IPicture& picture) {
    SHORT type = PICTYPE_UNINITIALIZED;
    OLE_HANDLE handle = 0;
    if (SUCCEEDED(picture.get_Type(&type)) && type == PICTYPE_BITMAP &&
        SUCCEEDED(picture.get_Handle(&handle))) {
        BITMAP bitmap{};
        if (ReadBitmapInfo(reinterpret_cast<HGDIOBJ>(static_cast<UINT_PTR>(handle)), bitmap)) {
            return {bitmap.bmWidth, bitmap.bmHeight};
        }
    }
    OLE_XSIZE_HIMETRIC width = 0;
    OLE_YSIZE_HIMETRIC height = 0;
    picture.get_Width(&width);
    picture.get_Height(&height);
    return {MulDiv(width, 96, kHimetricPerInch), MulDiv(height, 96, kHimetricPerInch)};
}

} // namespace

void Picture::Render(HDC dc, const RECT& target) const {
    OLE_XSIZE_HIMETRIC width = 0;
    OLE_YSIZE_HIMETRIC height = 0;
    picture_->get_Width(&width);
    picture_->get_Height(&height);
    // The source rectangle runs bottom-up in HIMETRIC units, hence the negative height.
    picture_->Render(dc, target.left, target.top, target.right - target.left,
                     target.bottom - target.top, 0, height, width, -height, nullptr);
}

class PictureLoader::Libraries {
  public:
    using CreateStreamFn = HRESULT WINAPI(HGLOBAL, BOOL, IStream**);
    using LoadPictureFn = HRESULT WINAPI(IStream*, LONG, BOOL, REFIID, void**);

    Libraries() {
        createStream =
            BindFunction<CreateStreamFn>(SystemLibrary("ole32.dll"), "CreateStreamOnHGlobal");
        loadPicture = BindFunction<LoadPictureFn>(SystemLibrary("oleaut32.dll"), "OleLoadPicture");
        if (!loadPicture) {
            // Early OLE releases (Windows 95, NT 4.0) keep the picture functions in olepro32.dll.
            loadPicture =
                BindFunction<LoadPictureFn>(SystemLibrary("olepro32.dll"), "OleLoadPicture");
        }
    }

    CreateStreamFn* createStream = nullptr;
    LoadPictureFn* loadPicture = nullptr;
};

PictureLoader::PictureLoader() = default;
PictureLoader::~PictureLoader() = default;

bool PictureLoader::Bind() {
    if (!libraries_) {
        libraries_ = std::make_unique<Libraries>();
    }
    return libraries_->createStream && libraries_->loadPicture;
}

PictureRef PictureLoader::Load(std::string_view bytes, std::wstring name) {
    if (bytes.empty() || !Bind()) {
        return nullptr;
    }
    UniqueGlobalMemory memory{GlobalAlloc(GMEM_MOVEABLE, bytes.size())};
    void* const target = memory ? GlobalLock(memory.get()) : nullptr;
    if (!target) {
        return nullptr;
    }
    std::memcpy(target, bytes.data(), bytes.size());
    GlobalUnlock(memory.get());
    ComPtr<IStream> stream;
    if (FAILED(libraries_->createStream(memory.get(), TRUE, stream.put()))) {
        return nullptr;
    }
    memory.release(); // the stream frees it with its last reference
    ComPtr<IPicture> picture;
    if (FAILED(libraries_->loadPicture(stream.get(), static_cast<LONG>(bytes.size()), FALSE,
                                       __uuidof(IPicture),
                                       reinterpret_cast<void**>(picture.put()))) ||
        !picture) {
        return nullptr;
    }
    const SIZE pixels = PixelSize(*picture.get());
    return std::shared_ptr<const Picture>(
        std::make_unique<const Picture>(std::move(picture), pixels, std::move(name)));
}

} // namespace skorvelin
