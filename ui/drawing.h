#pragma once
// What the help window draws with. It is laid out in twips (1440 to the inch); the screen counts
// pixels, at the window's dots per inch, which change when the window moves to another monitor.
#include "common/com_ptr.h"
#include "common/unique_handle.h"

#include <ocidl.h>

#include <string>
#include <string_view>

namespace skorvelin {

// Pixels covered by a length in twips, to the nearest pixel (halves away from zero).
int TwipsToPixels(float twips, unsigned dpi);
// The length in twips of a number of pixels.
float PixelsToTwips(int pixels, unsigned dpi);
// A length in pixels drawn for 96 dots per inch, scaled for `dpi`.
int ScaleFrom96(int pixels, unsigned dpi);

// The dots per inch the window is drawn at: the window's own where the platform tracks it
// (Windows 10 1607 on), its monitor's on Windows 8.1, otherwise the screen's.
unsigned WindowDpi(HWND window);

// The window's one type face, Tahoma 8.25 points, regular, Western character set, at `dpi`:
// plain, or underlined as the links are while the pointer is over them.
UniqueGdiObject CreateFormFont(unsigned dpi, bool underlined);

// Measures `text` on one line in the font of `dc`, and draws it at `at` when one is given.
SIZE TextLine(HDC dc, const std::wstring& text, const POINT* at = nullptr);

// The colour image of one of the program's icon images, as a bitmap of its own.
HBITMAP IconColourImage(int id);
// Draws the whole bitmap at (x, y), scaled from 96 to `dpi` in the running family's way.
void DrawBitmap(HDC dc, HGDIOBJ bitmap, int x, int y, unsigned dpi);

// A picture file decoded by the platform's OLE picture object, which draws transparent pixels as
// see-through.
struct Picture {
    ComPtr<IPicture> object; // empty when the bytes could not be decoded to a bitmap
    SIZE pixels{};           // at 96 dots per inch
    // What it shows, read out by accessibility tools in place of the pixels.
    const wchar_t* name = L"";
};
// The picture in the bytes of a picture file. COM must be running on the thread.
Picture LoadPicture(std::string_view bytes, const wchar_t* name);
// Draws the whole picture at (x, y), scaled from 96 to `dpi`; transparent pixels leave `dc` as
// it is.
void DrawPicture(const Picture& picture, HDC dc, int x, int y, unsigned dpi);

} // namespace skorvelin
