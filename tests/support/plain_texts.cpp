#include "tests/support/plain_texts.h"

#include <windows.h>

namespace skorvelin::support {

std::wstring AsThisSystemReads(std::wstring_view western) {
    constexpr UINT kWestern = 1252;
    if (western.empty()) {
        return {};
    }
    std::string codes(western.size() * 2, '\0');
    codes.resize(static_cast<size_t>(
        WideCharToMultiByte(kWestern, 0, western.data(), static_cast<int>(western.size()),
                            codes.data(), static_cast<int>(codes.size()), nullptr, nullptr)));
    CPINFO info{};
    const UINT page = GetCPInfo(CP_ACP, &info) && info.MaxCharSize == 1 ? CP_ACP : kWestern;
    std::wstring shown(codes.size(), L'\0');
    shown.resize(static_cast<size_t>(
        MultiByteToWideChar(page, 0, codes.data(), static_cast<int>(codes.size()), shown.data(),
                            static_cast<int>(shown.size()))));
    return shown;
}

} // namespace skorvelin::support
