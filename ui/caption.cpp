#include "ui/caption.h"

#include "ui/application_info.h"

namespace modGeneral {

namespace {

// Plain decimal: no leading zeros, a minus sign in front of a negative number, nothing else.
std::wstring DecimalText(long number) {
    wchar_t digits[24];
    wchar_t* first = digits + 24;
    unsigned long rest =
        number < 0 ? 0ul - static_cast<unsigned long>(number) : static_cast<unsigned long>(number);
    do {
        *--first = static_cast<wchar_t>(L'0' + rest % 10);
        rest /= 10;
    } while (rest != 0);
    if (number < 0) {
        *--first = L'-';
    }
    return std::wstring(first, digits + 24);
}

// One decimal digit of the revision, as the number it stands for.
int DigitValue(wchar_t digit) {
    return digit - L'0';
}

std::wstring BetaVersionText(std::int16_t revision) {
    // At least four digits, zeros in front: 105 reads 0105, i.e. v0.1 beta 5.
    std::wstring digits = DecimalText(revision);
    if (digits.size() < 4) {
        digits.insert(0, 4 - digits.size(), L'0');
    }
    std::wstring text =
        L"v" + DecimalText(DigitValue(digits[0])) + L"." + DecimalText(DigitValue(digits[1]));
    if (DigitValue(digits[2]) != 0) {
        text += L"." + DecimalText(DigitValue(digits[2]));
    }
    // Everything from the fourth digit on is the beta number; a five-digit revision such as
    // 12345 therefore gives beta 45, and 10005 gives beta 5.
    long beta = 0;
    for (size_t i = 3; i < digits.size(); ++i) {
        beta = beta * 10 + DigitValue(digits[i]);
    }
    return text + L" beta " + DecimalText(beta);
}

} // namespace

std::wstring BuildVersionText(std::int16_t major, std::int16_t minor, std::int16_t revision) {
    if (revision > 99) {
        return BetaVersionText(revision);
    }
    std::wstring text = L"v" + DecimalText(major) + L"." + DecimalText(minor);
    if (revision > 0) {
        text += L"." + DecimalText(revision);
    }
    return text;
}

std::wstring BuildVersionText() {
    return BuildVersionText(SKORVELIN_VERSION_MAJOR, SKORVELIN_VERSION_MINOR,
                            SKORVELIN_VERSION_REVISION);
}

std::wstring BuildCaption() {
    return L"" SKORVELIN_TITLE L" " + BuildVersionText();
}

} // namespace modGeneral
