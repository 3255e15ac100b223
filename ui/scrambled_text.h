#pragma once
// Texts stored scrambled in the program: two hexadecimal digits per character. Each digit pair
// is the character's 8-bit code with its two halves exchanged, combined by exclusive or with a
// key byte that depends only on the pair's distance from the end (0xFF for the last pair, one
// less for each pair before it, modulo 256).
// Nothing here calls the platform but SystemCodeTable(); ui/decode_text.h adds the code pages.
#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace modGeneral {

// The plain text of a stored text, one character per digit pair, through the system ANSI code
// page. Malformed input is decoded without complaint: a pair reads as far as its leading
// hexadecimal digits go (none reads as 0), and an odd final digit is decoded on its own.
std::wstring DecodeText(std::wstring_view text);

// The stored form (upper-case digits) of a plain text, so that DecodeText gives it back.
// Nothing when a character has no 8-bit code in the code page that DecodeText uses.
std::optional<std::wstring> EncodeText(std::wstring_view plain);

} // namespace modGeneral

namespace skorvelin {

// The 8-bit codes that DecodeText turns into characters; byte 0 included.
std::string DecodeTextCodes(std::wstring_view text);
// The stored form of a sequence of 8-bit codes.
std::wstring EncodeTextCodes(std::string_view codes);

using CodeTable = std::array<wchar_t, 256>;

// Windows-1252, built in, for platforms whose ANSI code page cannot give one character per byte.
const CodeTable& Windows1252Table();

// The table DecodeText and EncodeText read through: the system ANSI code page's, or
// Windows1252Table() where that page has no one character per byte.
CodeTable SystemCodeTable();

} // namespace skorvelin
