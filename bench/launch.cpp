#include "bench/launch.h"

#include <vector>

namespace skorvelin::bench {

UniqueHandle Launch(const std::wstring& commandLine) {
    SECURITY_ATTRIBUTES inheritable{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    const HANDLE opened =
        CreateFileW(L"NUL", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    &inheritable, OPEN_EXISTING, 0, nullptr);
    const UniqueHandle nul{opened == INVALID_HANDLE_VALUE ? nullptr : opened};
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    if (nul) {
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = nul.get();
        startup.hStdOutput = nul.get();
        startup.hStdError = nul.get();
    }
    // The platform may write into the command line it is given.
    std::vector<wchar_t> writable(commandLine.begin(), commandLine.end());
    writable.push_back(L'\0');
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(nullptr, writable.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                        &startup, &started)) {
        return UniqueHandle{};
    }
    CloseHandle(started.hThread);
    return UniqueHandle{started.hProcess};
}

} // namespace skorvelin::bench
