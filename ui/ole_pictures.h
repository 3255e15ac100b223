#pragma once
// Pictures decoded by the platform's OLE picture object, which reads GIF, JPEG, bitmap, icon and
// metafile data and draws transparent pixels as see-through. COM must be running on the thread.
#include "common/com_ptr.h"

#include <ocidl.h>

#include <string_view>

namespace skorvelin {

struct Picture {
    ComPtr<IPicture> object; // empty when the bytes could not be decoded
    SIZE pixels{};           // at 96 dots per inch
    // What it shows, read out by accessibility tools in place of the pixels.
    const wchar_t* name = L"";
};

// The picture in the bytes of a picture file. The OLE libraries are bound at the first call.
Picture LoadPicture(std::string_view bytes, const wchar_t* name);

// Draws the whole picture at (x, y), scaled from 96 to `dpi`; transparent pixels leave `dc` as it
// is.
void DrawPicture(const Picture& picture, HDC dc, int x, int y, unsigned dpi);

} // namespace skorvelin
