#include "ui/shell_open.h"

#include "common/platform_text.h"
#include "common/system_library.h"

#include <string>

namespace skorvelin {

void ShellOpen(HWND owner, std::wstring_view file) {
    static const UniqueLibrary shell32 = LoadSystemLibrary("shell32.dll");
    if (WideApiAvailable()) {
        using ShellExecuteWFn = HINSTANCE WINAPI(HWND, LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, INT);
        if (auto* const execute = BindFunction<ShellExecuteWFn>(shell32, "ShellExecuteW")) {
            execute(owner, L"open", std::wstring(file).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
        }
        return;
    }
    using ShellExecuteAFn = HINSTANCE WINAPI(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT);
    if (auto* const execute = BindFunction<ShellExecuteAFn>(shell32, "ShellExecuteA")) {
        execute(owner, "open", WideToAnsi(file).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    }
}

} // namespace skorvelin
