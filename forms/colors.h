#pragma once
// Colour values as the form stores them: 0x00BBGGRR, or 0x80000000 + n for the system colour n,
// which follows the user's colour scheme.
#include <windows.h>

#include <cstdint>

namespace skorvelin {

using ColorValue = std::uint32_t;

inline constexpr ColorValue kSystemColorFlag = 0x80000000u;
inline constexpr ColorValue SystemColor(int index) {
    return kSystemColorFlag | static_cast<ColorValue>(index);
}

inline constexpr ColorValue kButtonFaceColor = SystemColor(COLOR_BTNFACE);
inline constexpr ColorValue kButtonTextColor = SystemColor(COLOR_BTNTEXT);

// The colour to draw with now: system colours are looked up at each call.
COLORREF ResolveColor(ColorValue value);

} // namespace skorvelin
