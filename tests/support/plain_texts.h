#pragma once
// The plain texts that the program keeps scrambled, typed here: the tests compare the program's
// windows and shell requests with them, never with the program's own decoding.
#include <string>
#include <string_view>

namespace skorvelin::support {

// 38, 23, 19 and 76 characters.
inline constexpr wchar_t kAuthorCredit[] = L"Outil d\u00e9velopp\u00e9 par l'\u00e9quipe Skorvelin";
inline constexpr wchar_t kWebAddress[] = L"http://www.example.org/";
inline constexpr wchar_t kEmailAddress[] = L"contact@example.org";
inline constexpr wchar_t kDonateLink[] =
    L"https://www.example.org/donate/?project=skorvelin&lang=fr&source=help-window";

// A text written in Windows-1252 as this system shows its codes: each code read through the
// system code page, or through Windows-1252 itself where that page is not one byte a character.
std::wstring AsThisSystemReads(std::wstring_view western);

} // namespace skorvelin::support
