#include "common/system_library.h"

#include "common/platform_text.h"

#include <string>

namespace skorvelin {

UniqueLibrary LoadSystemLibrary(const char* fileName) {
    const std::wstring name = AnsiToWide(fileName);
    if (WideApiAvailable()) {
        wchar_t directory[MAX_PATH];
        const UINT length = GetSystemDirectoryW(directory, MAX_PATH);
        if (length == 0 || length >= MAX_PATH) {
            return UniqueLibrary{};
        }
        const std::wstring path = std::wstring(directory, length) + L"\\" + name;
        // The altered search path makes the library's own dependencies resolve from its folder.
        return UniqueLibrary{LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH)};
    }
    char directory[MAX_PATH];
    const UINT length = GetSystemDirectoryA(directory, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        return UniqueLibrary{};
    }
    const std::string path = std::string(directory, length) + "\\" + fileName;
    return UniqueLibrary{LoadLibraryExA(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH)};
}

} // namespace skorvelin
