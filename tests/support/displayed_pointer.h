#pragma once
// The pointer as the display shows it. Wine keeps a cursor's bits in the process that made it
// (GetIconInfo refuses another process's cursor), but it hands every cursor to the X server,
// which tells anyone the image it shows: a native helper (displayed_pointer.py) asks it.
#include <windows.h>

#include <cstdint>
#include <optional>
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

// A monochrome cursor resource (RT_CURSOR: hotspot, then a 1-bit bitmap of colour rows over
// mask rows) as the display shows it: opaque black or white, or transparent. Nothing for other
// formats, and for a pixel that inverts the screen, which has no image of its own.
std::optional<PointerImage> MonochromeCursorImage(const std::uint8_t* resource, std::size_t size);

} // namespace skorvelin::support
