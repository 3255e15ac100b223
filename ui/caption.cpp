#include "ui/caption.h"

#include "ui/application_info.h"

namespace modGeneral {

namespace {

// Appends `number` in plain decimal: no leading zeros, a minus sign in front of a negative one.
void AppendDecimal(std::wstring& text, long number) {
    if (number < 0) {
        text += L'-';
    }
    const unsigned long magnitude =
        number < 0 ? 0ul - static_cast<unsigned long>(number) : static_cast<unsigned long>(number);
    if (magnitude >= 10) {
        AppendDecimal(text, static_cast<long>(magnitude / 10));
    }
    text += static_cast<wchar_t>(L'0' + magnitude % 10);
}

} // namespace

std::wstring BuildVersionText(std::int16_t major, std::int16_t minor, std::int16_t revision) {
    // A beta's revision is read as at least four digits, zeros in front: 105 reads 0105, i.e.
    // v0.1 beta 5. Everything from the fourth digit on is the beta number; a five-digit revision
    // such as 12345 therefore gives beta 45, and 10005 gives beta 5.
    const bool beta = revision > 99;
    const long scale = revision >= 10000 ? 10 : 1;
    std::wstring text = L"v";
    AppendDecimal(text, beta ? revision / (1000 * scale) % 10 : major);
    text += L'.';
    AppendDecimal(text, beta ? revision / (100 * scale) % 10 : minor);
    if (const long third = beta ? revision / (10 * scale) % 10 : revision; third > 0) {
        text += L'.';
        AppendDecimal(text, third);
    }
    if (beta) {
        text += L" beta ";
        AppendDecimal(text, revision % (10 * scale));
    }
    return text;
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
