#include "ui/caption.h"

#include "ui/application_info.h"

namespace modGeneral {

namespace {

// Writes `number` in plain decimal at `out` (no leading zeros, a minus sign in front of a
// negative number, nothing else); answers the end of what it wrote.
wchar_t* WriteDecimal(wchar_t* out, long number) {
    wchar_t reversed[12];
    int count = 0;
    unsigned long rest =
        number < 0 ? 0ul - static_cast<unsigned long>(number) : static_cast<unsigned long>(number);
    do {
        reversed[count++] = static_cast<wchar_t>(L'0' + rest % 10);
        rest /= 10;
    } while (rest != 0);
    if (number < 0) {
        *out++ = L'-';
    }
    while (count > 0) {
        *out++ = reversed[--count];
    }
    return out;
}

wchar_t* WriteBetaVersion(wchar_t* out, long revision) {
    // At least four digits, zeros in front: 105 reads 0105, i.e. v0.1 beta 5.
    const int count = revision >= 10000 ? 5 : 4;
    int digits[5];
    long rest = revision;
    for (int i = count - 1; i >= 0; --i) {
        digits[i] = static_cast<int>(rest % 10);
        rest /= 10;
    }
    out = WriteDecimal(out, digits[0]);
    *out++ = L'.';
    out = WriteDecimal(out, digits[1]);
    if (digits[2] != 0) {
        *out++ = L'.';
        out = WriteDecimal(out, digits[2]);
    }
    for (const wchar_t c : L" beta ") {
        if (c != L'\0') {
            *out++ = c;
        }
    }
    // Everything from the fourth digit on is the beta number; a five-digit revision such as
    // 12345 therefore gives beta 45, and 10005 gives beta 5.
    return WriteDecimal(out, count == 5 ? revision % 100 : revision % 10);
}

} // namespace

std::wstring BuildVersionText(std::int16_t major, std::int16_t minor, std::int16_t revision) {
    wchar_t text[32]; // room for the longest, "v-32768.-32768.99"
    wchar_t* end = text;
    *end++ = L'v';
    if (revision > 99) {
        end = WriteBetaVersion(end, revision);
    } else {
        end = WriteDecimal(end, major);
        *end++ = L'.';
        end = WriteDecimal(end, minor);
        if (revision > 0) {
            *end++ = L'.';
            end = WriteDecimal(end, revision);
        }
    }
    return std::wstring(text, end);
}

std::wstring BuildVersionText() {
    return BuildVersionText(SKORVELIN_VERSION_MAJOR, SKORVELIN_VERSION_MINOR,
                            SKORVELIN_VERSION_REVISION);
}

std::wstring BuildCaption() {
    std::wstring caption = L"" SKORVELIN_TITLE L" ";
    caption += BuildVersionText();
    return caption;
}

} // namespace modGeneral
