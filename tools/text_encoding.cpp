#include "tools/text_encoding.h"

namespace skorvelin {

std::wstring EncodeTextCodes(std::string_view codes) {
    constexpr wchar_t kHexDigits[] = L"0123456789ABCDEF";
    std::wstring stored;
    stored.reserve(codes.size() * 2);
    unsigned long long fromEnd = codes.size();
    for (const char code : codes) {
        --fromEnd;
        const unsigned key = static_cast<unsigned>((255 - fromEnd) & 0xFF);
        const auto plain = static_cast<unsigned char>(code);
        const unsigned b = (((plain & 0x0Fu) << 4) | (plain >> 4)) ^ key;
        stored += kHexDigits[b >> 4];
        stored += kHexDigits[b & 0x0Fu];
    }
    return stored;
}

std::optional<std::wstring> EncodeText(const CodeTable& table, std::wstring_view plain) {
    std::string codes;
    codes.reserve(plain.size());
    for (const wchar_t c : plain) {
        size_t code = 0;
        while (code < table.size() && table[code] != c) {
            ++code;
        }
        if (code == table.size()) {
            return std::nullopt;
        }
        codes += static_cast<char>(static_cast<unsigned char>(code));
    }
    return EncodeTextCodes(codes);
}

} // namespace skorvelin
