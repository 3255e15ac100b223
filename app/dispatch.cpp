#include "app/dispatch.h"

#include "app/platform_id.h"
#include "common/platform_text.h"
#include "common/unique_handle.h"
#include "lookup/process_lookup.h"
#include "lookup/window_lookup.h"

#include <windows.h>

namespace skorvelin {
namespace {

constexpr long kPlatformNt = VER_PLATFORM_WIN32_NT;

void CloseWindowByTitle(const std::wstring& pattern) {
    if (const HWND window = modGeneral::FindWindowByTitle(pattern)) {
        PostMessageA(window, WM_QUIT, 0, 0);
    }
}

void TerminateProcessByName(const std::wstring& name) {
    if (const DWORD id = modGeneral::FindProcessByName(name)) {
        const UniqueHandle process{OpenProcess(PROCESS_TERMINATE, FALSE, id)};
        if (process) {
            TerminateProcess(process.get(), 0);
        }
    }
}

void ShowWin9xWarning() {
    // Only reached off the NT family, which has nothing but the 8-bit message box.
    MessageBoxA(nullptr, WideToAnsi(kWin9xWarningText).c_str(),
                WideToAnsi(kWin9xWarningTitle).c_str(), MB_OK | MB_ICONEXCLAMATION);
}

} // namespace

void RunCommand(const Command& command) {
    if (command.method == Command::Method::ByTitle) {
        CloseWindowByTitle(command.argument);
    } else if (modGeneral::GetPlatformId() == kPlatformNt) {
        TerminateProcessByName(command.argument);
    } else {
        ShowWin9xWarning();
    }
}

} // namespace skorvelin
