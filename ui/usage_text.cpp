#include "ui/usage_text.h"

#include "common/platform_calls.h"
#include "ui/code_page_table.h"
#include "ui/resources/resource_ids.h"

namespace skorvelin {

std::wstring Windows1252ToWide(std::string_view bytes) {
    const CodeTable table = CodeTableFor(1252);
    std::wstring text(bytes.size(), L'\0');
    for (size_t i = 0; i < bytes.size(); ++i) {
        text[i] = table[static_cast<unsigned char>(bytes[i])];
    }
    return text;
}

std::wstring LoadUsageText() {
    return Windows1252ToWide(ResourceBytes(IDR_USAGE_TEXT));
}

std::wstring WithoutFinalLineBreak(std::wstring text) {
    if (text.ends_with(L"\r\n")) {
        text.resize(text.size() - 2);
    }
    return text;
}

} // namespace skorvelin
