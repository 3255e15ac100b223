#pragma once
#include <string_view>

namespace modGeneral {

enum class CompareMode {
    Binary = 0, // 16-bit character codes compared exactly
    Text = 1,   // case-insensitive, by the rules of the user's locale
};

// Equality of two texts in the given mode.
bool TextsEqual(std::wstring_view a, std::wstring_view b, CompareMode mode);

// Position (from 1) of the first character of the last occurrence of `sought` in `text` that
// ends at or before character number `start`; `start` -1 searches from the very end. 0 when
// there is none.
long ReverseFind(std::wstring_view text, std::wstring_view sought, long start, CompareMode mode);

} // namespace modGeneral
