// The platform calls of the text code, for a native build: lower-casing by the C library's
// wide-character mapping under a UTF-8 locale, and Windows-1252 as the system code page.
#include "common/platform_text.h"
#include "ui/code_page_table.h"

#include <clocale>
#include <cwctype>

namespace skorvelin {

std::wstring LowerCase(std::wstring text) {
    static const bool localeSet = std::setlocale(LC_CTYPE, "C.UTF-8") != nullptr;
    (void)localeSet;
    for (wchar_t& c : text) {
        // Each 16-bit unit on its own, as the platform's buffer lower-casing does; a unit that
        // would become a character beyond 16 bits stays as it is.
        const auto lowered = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
        if (lowered >= 0 && lowered <= 0xFFFF) {
            c = lowered;
        }
    }
    return text;
}

CodeTable SystemCodeTable() {
    return Windows1252Table();
}

} // namespace skorvelin
