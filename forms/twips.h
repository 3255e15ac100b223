#pragma once
// The form measures in twips (1440 to the inch); the screen in pixels. The ratio between the two
// is the window's dots per inch, which changes when the window moves to another monitor.
#include <windows.h>

namespace skorvelin {

inline constexpr unsigned kTwipsPerInch = 1440;
inline constexpr unsigned kDefaultDpi = 96;

// The nearest integer, halves away from zero: lround's rule, without the maths library that
// lround would bring into the program.
int RoundToNearest(double value);

// Pixels covered by a length in twips, to the nearest pixel.
int TwipsToPixels(float twips, unsigned dpi);

// The length in twips of a number of pixels; TwipsToPixels gives the same pixels back.
float PixelsToTwips(int pixels, unsigned dpi);

// A length in pixels drawn for 96 dots per inch, scaled for `dpi`.
int ScaleFrom96(int pixels, unsigned dpi);

// The dots per inch the window is drawn at: the window's own where the platform tracks it
// (Windows 10 1607 on), its monitor's on Windows 8.1, otherwise the screen's.
unsigned WindowDpi(HWND window);

} // namespace skorvelin
