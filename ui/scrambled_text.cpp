#include "ui/scrambled_text.h"

#include "ui/code_page_table.h"

namespace skorvelin {

namespace {

// Leading hexadecimal digits only: "1Z" reads 1, "Z1" and "" read 0.
int ReadHex(std::wstring_view digits) {
    int value = 0;
    for (const wchar_t c : digits) {
        const int digit = c >= L'0' && c <= L'9'   ? c - L'0'
                          : c >= L'A' && c <= L'F' ? c - L'A' + 10
                          : c >= L'a' && c <= L'f' ? c - L'a' + 10
                                                   : -1;
        if (digit < 0) {
            break;
        }
        value = value * 16 + digit;
    }
    return value;
}

unsigned SwapHalves(unsigned byte) {
    return ((byte & 0x0Fu) << 4) | ((byte >> 4) & 0x0Fu);
}

// Key byte of the pair whose key counter is k: 0xFF for k = 0, 0xFE for k = 1, and so on,
// wrapping every 256 pairs. For negative k (the lone digit of an odd-length text) it is the low
// byte of 255 - k, as in two's complement: k = -1 gives 0x00.
unsigned KeyByte(long long k) {
    return static_cast<unsigned>((255 - k) & 0xFF);
}

// First key counter: L / 2 - 1 rounded to the nearest integer, ties to the even one. For even
// L that is the number of pairs less one; an odd L = 2q + 1 falls halfway, on q - 1/2, and goes
// to whichever of q - 1 and q is even (L = 1 and 3 give 0, L = 5 gives 2).
long long FirstKeyCounter(long long length) {
    const long long q = length / 2;
    if (length % 2 == 0) {
        return q - 1;
    }
    return q % 2 == 0 ? q : q - 1;
}

} // namespace

// The counters are wider than the 16 bits that stored texts need: the key byte only depends
// on the counter's low byte, so a text longer than 32,766 digits decodes by the same rule.
std::wstring DecodeThrough(const CodeTable& table, std::wstring_view text) {
    const long long length = static_cast<long long>(text.size());
    std::wstring plain((text.size() + 1) / 2, L'\0');
    long long k = FirstKeyCounter(length);
    for (size_t i = 0; i < text.size(); i += 2) {
        const std::wstring_view pair(text.data() + i, text.size() - i < 2 ? 1 : 2);
        const unsigned b = static_cast<unsigned>(ReadHex(pair));
        plain[i / 2] = table[SwapHalves(b ^ KeyByte(k))];
        --k;
    }
    return plain;
}

const CodeTable& Windows1252Table() {
    static const CodeTable table = [] {
        // 0x80-0x9F are the only codes where Windows-1252 differs from Latin-1; the five
        // unassigned ones map to the control character of the same number, as the platform's
        // own conversion does.
        static constexpr wchar_t kHigh[32] = {
            0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
            0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
            0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
        CodeTable t{};
        for (size_t code = 0; code < t.size(); ++code) {
            t[code] = code >= 0x80 && code < 0xA0 ? kHigh[code - 0x80] : static_cast<wchar_t>(code);
        }
        return t;
    }();
    return table;
}

} // namespace skorvelin

namespace modGeneral {

std::wstring DecodeText(std::wstring_view text) {
    return skorvelin::DecodeThrough(skorvelin::SystemCodeTable(), text);
}

} // namespace modGeneral
