#pragma once
#include <string>
#include <string_view>

namespace skorvelin {

// Text stored as Windows-1252 bytes, whatever the system code page.
std::wstring Windows1252ToWide(std::string_view bytes);

// The usage text that the help window opens with; empty when the program carries none.
std::wstring LoadUsageText();

// The text less one final CR LF, when it ends with one; otherwise the text as it is.
std::wstring WithoutFinalLineBreak(std::wstring text);

} // namespace skorvelin
