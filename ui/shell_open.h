#pragma once
#include <windows.h>

#include <string_view>

namespace skorvelin {

// Asks the shell to open `file` (a web address, a "mailto:" address...) as a double click
// would, on behalf of `owner`. Whether the shell manages is not reported.
void ShellOpen(HWND owner, std::wstring_view file);

} // namespace skorvelin
