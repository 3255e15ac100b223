#include "app/dispatch.h"

#include "common/platform_calls.h"
#include "common/platform_version.h"
#include "lookup/process_lookup.h"
#include "lookup/window_lookup.h"

#include <windows.h>

namespace skorvelin {
namespace {

void CloseWindowByTitle(const std::wstring& pattern) {
    if (const HWND window = modGeneral::FindWindowByTitle(pattern)) {
        // The message carries no text: the 8-bit form, which every family has, posts it alike.
        PostMessageA(window, WM_QUIT, 0, 0);
    }
}

void TerminateProcessByName(const std::wstring& name) {
    // The handle that the lookup examined the process through: never the id opened again, which
    // by now may name another process.
    if (const TerminableProcess process = modGeneral::FindProcessByName(name)) {
        TerminateProcess(process.handle.get(), 0);
    }
}

void ShowWin9xWarning() {
    ShowMessageBox(nullptr, kWin9xWarningText, kWin9xWarningTitle, MB_OK | MB_ICONEXCLAMATION);
}

} // namespace

void RunCommand(const Command& command) {
    if (command.method == Command::Method::ByTitle) {
        CloseWindowByTitle(command.argument);
    } else if (IsNtFamily(modGeneral::GetPlatformId())) {
        TerminateProcessByName(command.argument);
    } else {
        ShowWin9xWarning();
    }
}

} // namespace skorvelin
