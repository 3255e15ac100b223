#pragma once
// The looks of the help window's links and of its pressed donate image.
#include "forms/colors.h"

namespace skorvelin {

inline constexpr ColorValue kLinkNormalColor = 0x00FF0000;    // pure blue, not underlined
inline constexpr ColorValue kLinkHighlightColor = 0x000000FF; // pure red, underlined

// How far the donate image sinks, right and down, while a button is held on it (twips).
inline constexpr float kPressOffset = 15;

} // namespace skorvelin
