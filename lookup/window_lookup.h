#pragma once
#include "common/pattern_match.h"

#include <windows.h>

#include <string>

namespace modGeneral {

// The search under way: the pattern goes to the enumeration callback, and the window it finds
// comes back, through these two, since the callback has nothing else to carry them.
extern std::wstring gTitlePattern;
extern HWND gFoundWindow;
// gTitlePattern read once per search, so that each window costs only the match itself.
extern skorvelin::CompiledPattern gCompiledTitlePattern;

// The first top-level window, in the platform's enumeration order, whose lower-cased title
// matches `pattern` (which must already be lower case); nullptr when none does. Hidden and
// untitled windows are tested too, and so are this program's own.
HWND FindWindowByTitle(const std::wstring& pattern);

// Enumeration callback: tests one window's title against gCompiledTitlePattern; 0 stops the
// search.
BOOL CALLBACK MatchWindowTitle(HWND window, LPARAM unused);

} // namespace modGeneral
