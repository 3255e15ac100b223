#include "common/platform_text.h"

#include <windows.h>

namespace skorvelin {

bool WideApiAvailable() {
    // GetVersion sets the high bit on the 95/98/Me family; it exists on every 32-bit Windows.
    static const bool wide = (GetVersion() & 0x80000000u) == 0;
    return wide;
}

std::wstring AnsiToWide(std::string_view text) {
    if (text.empty()) {
        return {};
    }
    const int size = static_cast<int>(text.size());
    const int needed = MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0);
    std::wstring wide(static_cast<size_t>(needed), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), size, wide.data(), needed);
    return wide;
}

std::string WideToAnsi(std::wstring_view text) {
    if (text.empty()) {
        return {};
    }
    const int size = static_cast<int>(text.size());
    const int needed =
        WideCharToMultiByte(CP_ACP, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string ansi(static_cast<size_t>(needed), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.data(), size, ansi.data(), needed, nullptr, nullptr);
    return ansi;
}

std::wstring LowerCase(std::wstring text) {
    if (text.empty()) {
        return text;
    }
    if (WideApiAvailable()) {
        CharLowerBuffW(text.data(), static_cast<DWORD>(text.size()));
        return text;
    }
    // The 9x family lowers only 8-bit text, by the rules of the system code page.
    std::string ansi = WideToAnsi(text);
    CharLowerBuffA(ansi.data(), static_cast<DWORD>(ansi.size()));
    return AnsiToWide(ansi);
}

} // namespace skorvelin
