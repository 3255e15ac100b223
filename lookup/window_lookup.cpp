#include "lookup/window_lookup.h"

#include "common/pattern_match.h"
#include "common/platform_calls.h"

namespace modGeneral {
namespace {

// The search under way. By this module's convention, what a platform callback needs and what it
// finds pass through module-level variables, not through the callback's application value.
std::wstring gTitlePattern;
HWND gFoundWindow = nullptr;
// gTitlePattern read once per search, so that each window costs only the match itself.
skorvelin::CompiledPattern gCompiledTitlePattern;

// At most 255 characters of title are read, which is all a 256-unit buffer holds.
constexpr int kTitleBufferLength = 256;

std::wstring ReadTitle(HWND window) {
    return skorvelin::GetTextUpTo(window, kTitleBufferLength);
}

} // namespace

BOOL CALLBACK MatchWindowTitle(HWND window, LPARAM /*unused*/) {
    if (gCompiledTitlePattern.Matches(skorvelin::LowerCase(ReadTitle(window)))) {
        gFoundWindow = window;
        return FALSE;
    }
    // -1, like any value but 0, asks the enumeration to go on to the next window; 0 stops it.
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
