#pragma once
// The inverse of the program's stored-text decoding (ui/scrambled_text.h), for preparing stored
// texts: each plain 8-bit code has its two halves exchanged and is combined by exclusive or with
// the key byte of its distance from the end (0xFF for the last, one less for each before it,
// modulo 256), then written as two upper-case hexadecimal digits.
#include "ui/scrambled_text.h"

#include <optional>
#include <string>
#include <string_view>

namespace skorvelin {

// The stored form of a sequence of 8-bit codes.
std::wstring EncodeTextCodes(std::string_view codes);

// The stored form of a plain text whose characters are read as their codes in `table`, so that
// DecodeThrough(table, ...) gives it back; nothing when a character has no code there.
std::optional<std::wstring> EncodeText(const CodeTable& table, std::wstring_view plain);

} // namespace skorvelin
