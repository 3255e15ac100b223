#pragma once
// The pointer as the display shows it. Wine keeps a cursor's bits in the process that made it
// (GetIconInfo refuses another process's cursor), but it hands every cursor to the X server,
// which tells anyone the image it shows: a native helper (displayed_pointer.py) asks it.
#include <windows.h>

#include <cstdint>
#include <optional>
#include <span>
#include <ostream>
#include <vector>

namespace skorvelin::support {

struct PointerImage {
    int width = 0;
    int height = 0;
    int hotspotX = 0;
    int hotspotY = 0;
    std::vector<std::uint32_t> argb; // 0xAARRGGBB, colours premultiplied, top row first
    friend bool operator==(const PointerImage&, const PointerImage&) = default;
};
std::ostream& operator<<(std::ostream& out, const PointerImage& image);

// The pointer the display shows now; nothing when it could not be read.
std::optional<PointerImage> DisplayedPointer();

// The icons that the desktop shows for top-level `window` (its taskbar button, the task
// switcher), as X tells them of the window's X window (_NET_WM_ICON), hotspots 0, 0, colours
// not premultiplied; nothing when they could not be read.
std::optional<std::vector<PointerImage>> DisplayedIcons(HWND window);

// An icon image resource (RT_ICON), or with `cursor` a cursor resource (RT_CURSOR: its hotspot
// first), as the display shows it: a bitmap of colour rows over mask rows, opaque where the mask
// is clear, see-through (0) elsewhere; 1-bit colours are black or white, 24-bit ones their own.
// Nothing for other formats, and for a pixel that inverts the screen, which has no image of its
// own.
std::optional<PointerImage> DisplayedImage(std::span<const std::uint8_t> resource,
                                           bool cursor = false);

} // namespace skorvelin::support
