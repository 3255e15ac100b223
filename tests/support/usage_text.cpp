#include "tests/support/usage_text.h"

#include <windows.h>

namespace skorvelin::support {
namespace {

// Written by this folder's CMakeLists.txt from the file, again whenever the file changes.
constexpr unsigned char kUsageFile[] = {
#include "usage_text_bytes.inc"
};

constexpr UINT kWestern = 1252;

} // namespace

std::string UsageFileBytes() {
    return {reinterpret_cast<const char*>(kUsageFile), sizeof kUsageFile};
}

std::wstring ExpectedUsageText() {
    const std::string bytes = UsageFileBytes();
    std::wstring text(bytes.size(), L'\0');
    text.resize(static_cast<size_t>(MultiByteToWideChar(kWestern, 0, bytes.data(),
                                                        static_cast<int>(bytes.size()), text.data(),
                                                        static_cast<int>(text.size()))));
    if (text.ends_with(L"\r\n")) {
        text.resize(text.size() - 2);
    }
    return text;
}

} // namespace skorvelin::support
