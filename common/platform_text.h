#pragma once
// Text calls that need no platform headers, so that the text code builds natively as well:
// conversions between 16-bit text and the 8-bit text of the system code page, which the
// 95/98/Me family's functions take (see common/platform_calls.h), and lower-casing.
#include <string>
#include <string_view>

namespace skorvelin {

std::wstring AnsiToWide(std::string_view text);
std::string WideToAnsi(std::wstring_view text);

// The one lower-casing used for both the command line and window titles, so that a pattern
// typed by the user and the titles it is compared with are lowered alike. Made by the platform
// (common/platform_calls.cpp).
std::wstring LowerCase(std::wstring text);

} // namespace skorvelin
