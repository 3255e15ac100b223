#pragma once
// Texts stored scrambled in the program: two hexadecimal digits per character. Each digit pair
// is the character's 8-bit code with its two halves exchanged, combined by exclusive or with a
// key byte that depends only on the pair's distance from the end (0xFF for the last pair, one
// less for each pair before it, modulo 256).
// Nothing here calls the platform but DecodeText, through SystemCodeTable()
// (ui/code_page_table.h).
// The inverse, which prepares stored texts, is a tool's (tools/text_encoding.h).
#include <array>
#include <string>
#include <string_view>

namespace skorvelin {

using CodeTable = std::array<wchar_t, 256>;

// Windows-1252, built in, for platforms whose ANSI code page cannot give one character per byte.
const CodeTable& Windows1252Table();

// The plain text of a stored text, each decoded 8-bit code read through `table`.
std::wstring DecodeThrough(const CodeTable& table, std::wstring_view text);

} // namespace skorvelin

namespace modGeneral {

// The plain text of a stored text, one character per digit pair, through the system ANSI code
// page. Malformed input is decoded without complaint: a pair reads as far as its leading
// hexadecimal digits go (none reads as 0), and an odd final digit is decoded on its own.
std::wstring DecodeText(std::wstring_view text);

} // namespace modGeneral
