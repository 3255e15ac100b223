#include "ui/caption.h"

#include "ui/application_info.h"

namespace modGeneral {

namespace {

// One decimal digit of the revision, as the number it stands for.
int DigitValue(wchar_t digit) {
    return digit - L'0';
}

std::wstring BetaVersionText(std::int16_t revision) {
    // At least four digits, zeros in front: 105 reads 0105, i.e. v0.1 beta 5.
    std::wstring digits = std::to_wstring(revision);
    if (digits.size() < 4) {
        digits.insert(0, 4 - digits.size(), L'0');
    }
    std::wstring text = L"v" + std::to_wstring(DigitValue(digits[0])) + L"." +
                        std::to_wstring(DigitValue(digits[1]));
    if (DigitValue(digits[2]) != 0) {
        text += L"." + std::to_wstring(DigitValue(digits[2]));
    }
    // Everything from the fourth digit on is the beta number; a five-digit revision such as
    // 12345 therefore gives beta 45, and 10005 gives beta 5.
    long beta = 0;
    for (size_t i = 3; i < digits.size(); ++i) {
        beta = beta * 10 + DigitValue(digits[i]);
    }
    return text + L" beta " + std::to_wstring(beta);
}

} // namespace

std::wstring BuildVersionText(std::int16_t major, std::int16_t minor, std::int16_t revision) {
    if (revision > 99) {
        return BetaVersionText(revision);
    }
    std::wstring text = L"v" + std::to_wstring(major) + L"." + std::to_wstring(minor);
    if (revision > 0) {
        text += L"." + std::to_wstring(revision);
    }
    return text;
}

std::wstring BuildCaption(std::wstring_view title, std::int16_t major, std::int16_t minor,
                          std::int16_t revision) {
    return std::wstring(title) + L" " + BuildVersionText(major, minor, revision);
}

std::wstring BuildVersionText() {
    return BuildVersionText(SKORVELIN_VERSION_MAJOR, SKORVELIN_VERSION_MINOR,
                            SKORVELIN_VERSION_REVISION);
}

std::wstring BuildCaption() {
    return BuildCaption(L"" SKORVELIN_TITLE, SKORVELIN_VERSION_MAJOR, SKORVELIN_VERSION_MINOR,
                        SKORVELIN_VERSION_REVISION);
}

} // namespace modGeneral
