// Stands in for the browser and the mail program while the help window tests own the handlers
// of web and mail addresses: it writes what it was asked to open into a log, and opens nothing.
//
//   url_recorder.exe <log file> <address>...
//
// Each address is appended to the log as one line of UTF-8 text.
#include "common/unique_handle.h"

#include <windows.h>

#include <shellapi.h>

#include <string>

namespace {

std::string ToUtf8(const wchar_t* text) {
    const int length = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (length <= 1) {
        return {};
    }
    std::string utf8(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8.data(), length, nullptr, nullptr);
    utf8.pop_back(); // the terminating zero
    return utf8;
}

struct Arguments {
    Arguments() : list(CommandLineToArgvW(GetCommandLineW(), &count)) {}
    Arguments(const Arguments&) = delete;
    Arguments& operator=(const Arguments&) = delete;
    ~Arguments() { LocalFree(list); }
    int count = 0;
    LPWSTR* list;
};

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    const Arguments arguments;
    if (!arguments.list || arguments.count < 2) {
        return 2;
    }
    std::string lines;
    for (int i = 2; i < arguments.count; ++i) {
        lines += ToUtf8(arguments.list[i]) + "\n";
    }
    // Several recorders may write at once: appending keeps each one's lines whole.
    const HANDLE opened = CreateFileW(arguments.list[1], FILE_APPEND_DATA,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (opened == INVALID_HANDLE_VALUE) {
        return 1;
    }
    const skorvelin::UniqueHandle log{opened};
    DWORD written = 0;
    return WriteFile(log.get(), lines.data(), static_cast<DWORD>(lines.size()), &written,
                     nullptr) &&
                   written == lines.size()
               ? 0
               : 1;
}
