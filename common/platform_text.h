#pragma once
// Text at the platform boundary. The NT family takes 16-bit text directly; the 95/98/Me family
// only has the 8-bit functions, whose text is in the system code page.
#include <string>
#include <string_view>

namespace skorvelin {

// True on the NT family, where the 16-bit ("W") platform functions really work.
bool WideApiAvailable();

std::wstring AnsiToWide(std::string_view text);
std::string WideToAnsi(std::wstring_view text);

// The one lower-casing used for both the command line and window titles, so that a pattern
// typed by the user and the titles it is compared with are lowered alike.
std::wstring LowerCase(std::wstring text);

} // namespace skorvelin
