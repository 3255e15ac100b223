#include "lookup/window_lookup.h"

#include "common/platform_calls.h"

namespace modGeneral {

std::wstring gTitlePattern;
HWND gFoundWindow = nullptr;
skorvelin::CompiledPattern gCompiledTitlePattern;

namespace {

// At most 255 characters of title are read, which is all a 256-unit buffer holds.
constexpr int kTitleBufferLength = 256;

std::wstring ReadTitle(HWND window) {
    return skorvelin::GetTextUpTo(window, kTitleBufferLength);
}

} // namespace

BOOL CALLBACK MatchWindowTitle(HWND window, LPARAM /*unused*/) {
    try {
        if (gCompiledTitlePattern.Matches(skorvelin::LowerCase(ReadTitle(window)))) {
            gFoundWindow = window;
            return FALSE;
        }
    } catch (...) {
        // Out of memory for one title: that window is simply not a match.
    }
    return -1;
}

HWND FindWindowByTitle(const std::wstring& pattern) {
    gTitlePattern = pattern;
    gCompiledTitlePattern = skorvelin::CompiledPattern(gTitlePattern);
    gFoundWindow = nullptr;
    EnumWindows(MatchWindowTitle, 0);
    return gFoundWindow;
}

} // namespace modGeneral
