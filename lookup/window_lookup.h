#pragma once
#include <windows.h>

#include <string>

namespace modGeneral {

// The first top-level window, in the platform's enumeration order, whose lower-cased title
// matches `pattern` (which must already be lower case); nullptr when none does. Hidden and
// untitled windows are tested too, and so are this program's own.
HWND FindWindowByTitle(const std::wstring& pattern);

// Enumeration callback: tests one window's title against the pattern of the search under way;
// on a match it keeps the window and stops the enumeration.
BOOL CALLBACK MatchWindowTitle(HWND window, LPARAM unused);

} // namespace modGeneral
