#include "lookup/window_lookup.h"

#include "common/platform_text.h"

namespace modGeneral {

std::wstring gTitlePattern;
HWND gFoundWindow = nullptr;
skorvelin::CompiledPattern gCompiledTitlePattern;

namespace {

// At most 255 characters of title are read, which is all a 256-unit buffer holds.
constexpr int kTitleBufferLength = 256;

std::wstring ReadTitle(HWND window) {
    if (skorvelin::WideApiAvailable()) {
        wchar_t buffer[kTitleBufferLength];
        const int length = GetWindowTextW(window, buffer, kTitleBufferLength);
        return std::wstring(buffer, length > 0 ? static_cast<size_t>(length) : 0);
    }
    char buffer[kTitleBufferLength];
    const int length = GetWindowTextA(window, buffer, kTitleBufferLength);
    return skorvelin::AnsiToWide(
        std::string_view(buffer, length > 0 ? static_cast<size_t>(length) : 0));
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
