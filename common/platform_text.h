#pragma once
// Conversions between 16-bit text and the 8-bit text of the system code page, which the
// 95/98/Me family's functions take (see common/platform_calls.h).
#include <string>
#include <string_view>

namespace skorvelin {

std::wstring AnsiToWide(std::string_view text);
std::string WideToAnsi(std::wstring_view text);

} // namespace skorvelin
