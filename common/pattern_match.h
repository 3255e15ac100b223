#pragma once
#include <string_view>

namespace skorvelin {

// Whole-text wildcard match, comparing 16-bit character codes exactly (no case folding):
//   *        any run of characters, including none
//   ?        exactly one character
//   #        one decimal digit 0-9
//   [list]   one character of the list; ranges such as a-z; a leading ! negates the list;
//            [*] [?] [#] [[] match those characters themselves; [] matches nothing at all
//            (it stands for no character) and is skipped
//   other    the character itself
// A malformed pattern (an unclosed list, a reversed range) matches no text.
// Runs in time proportional to text length times pattern length at worst.
bool PatternMatch(std::wstring_view text, std::wstring_view pattern);

} // namespace skorvelin
