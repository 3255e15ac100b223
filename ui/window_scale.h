#pragma once
// The help window is laid out in twips (1440 to the inch); the screen counts pixels. The ratio
// between the two is the window's dots per inch, which changes when the window moves to another
// monitor.
#include "common/unique_handle.h"

#include <windows.h>

namespace skorvelin {

// Pixels covered by a length in twips, to the nearest pixel (halves away from zero).
int TwipsToPixels(float twips, unsigned dpi);
// The length in twips of a number of pixels; TwipsToPixels gives the same pixels back.
float PixelsToTwips(int pixels, unsigned dpi);
// A length in pixels drawn for 96 dots per inch, scaled for `dpi`.
int ScaleFrom96(int pixels, unsigned dpi);

// The dots per inch the window is drawn at: the window's own where the platform tracks it
// (Windows 10 1607 on), its monitor's on Windows 8.1, otherwise the screen's.
unsigned WindowDpi(HWND window);

// The window's one type face, Tahoma 8.25 points, regular, Western character set, at `dpi`:
// plain, or underlined as the links are while the pointer is over them.
UniqueGdiObject CreateFormFont(unsigned dpi, bool underlined);

} // namespace skorvelin
