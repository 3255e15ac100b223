// A stand-in application for the end-to-end tests: something for Skorvelin to close.
//
//   skorvelin_target.exe [--report FILE] [--ready EVENT] [--window TITLE] [--hidden TITLE]
//                        [--hidden-topmost TITLE] [--main TITLE] ...
//
// Each --window (shown), --hidden (never shown), --hidden-topmost (never shown, placed above
// every ordinary window) or --main (shown; the end of its message loop ends the program with the
// quit message's value as its exit status, as an ordinary application's main window does) opens
// one top-level window, numbered from 0 in the order given. Each
// window lives on a thread of its own with its own message loop, because a quit message posted
// to a window lands in the queue of the thread that owns it: the thread whose loop ends is the
// window that was asked to quit. The report file receives one line per event, appended and
// flushed at once so that a reader in another process sees it immediately:
//
//   window <index> <handle>   the window exists (handle as a signed 32-bit decimal)
//   ping <index>              the window answered a WM_APP sent to it
//   quit <index>              the window's message loop ended
//
// The named event is set once every window exists. Without windows the program simply runs
// until it is terminated; tests copy it under other names to have processes to look up.
#include "common/unique_handle.h"

#include <windows.h>
#include <shellapi.h>

#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace {

using skorvelin::UniqueHandle;

constexpr wchar_t kClassName[] = L"SkorvelinE2ETarget";
// A safety net for a test run that dies without ending its job: no target outlives it for long.
constexpr DWORD kLifetimeMs = 10 * 60 * 1000;
constexpr int kExitBadArguments = 2;
constexpr int kExitNoWindow = 3;
// Never 0: a test tells a process terminated with exit code 0 from one that ended by itself.
constexpr int kExitLifetimeOver = 4;

enum class Visibility { Shown, Hidden, HiddenTopmost, Main };

struct WindowPlan {
    std::wstring title;
    Visibility visibility;
};

class Report {
  public:
    void Open(std::wstring path) { path_ = std::move(path); }

    void Write(const std::string& line) {
        if (path_.empty()) {
            return;
        }
        const std::lock_guard<std::mutex> lock(mutex_);
        UniqueHandle file{CreateFileW(path_.c_str(), FILE_APPEND_DATA,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr)};
        if (file.get() == INVALID_HANDLE_VALUE) {
            file.release(); // nothing to close
            return;
        }
        const std::string text = line + "\n";
        DWORD written = 0;
        WriteFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
        FlushFileBuffers(file.get());
    }

  private:
    std::mutex mutex_;
    std::wstring path_;
};

Report gReport;

std::string Line(const char* event, size_t index) {
    return std::string(event) + " " + std::to_string(index);
}

LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_APP) {
        gReport.Write(Line("ping", static_cast<size_t>(GetWindowLongPtrW(window, GWLP_USERDATA))));
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// One window and its message loop. `created` is set once the window exists (or failed to).
void WindowThread(size_t index, const WindowPlan& plan, HANDLE created, bool& ok) {
    const HWND window = CreateWindowExW(0, kClassName, plan.title.c_str(), WS_OVERLAPPEDWINDOW,
                                        CW_USEDEFAULT, CW_USEDEFAULT, 320, 120, nullptr, nullptr,
                                        GetModuleHandleW(nullptr), nullptr);
    const bool exists = window != nullptr;
    ok = exists; // `ok` belongs to the creating thread: not touched once `created` is set
    if (exists) {
        SetWindowLongPtrW(window, GWLP_USERDATA, static_cast<LONG_PTR>(index));
        if (plan.visibility == Visibility::Shown || plan.visibility == Visibility::Main) {
            ShowWindow(window, SW_SHOWNOACTIVATE);
        } else if (plan.visibility == Visibility::HiddenTopmost) {
            SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0,
                         SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        }
        const auto handle = static_cast<long>(reinterpret_cast<LONG_PTR>(window));
        gReport.Write(Line("window", index) + " " + std::to_string(handle));
    }
    SetEvent(created);
    if (!exists) {
        return;
    }
    MSG message;
    BOOL got;
    while ((got = GetMessageW(&message, nullptr, 0, 0)) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    gReport.Write(Line(got == 0 ? "quit" : "error", index));
    if (got == 0 && plan.visibility == Visibility::Main) {
        ExitProcess(static_cast<UINT>(message.wParam));
    }
}

bool ParseArguments(std::wstring& readyEvent, std::vector<WindowPlan>& windows) {
    int count = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!argv) {
        return false;
    }
    bool ok = true;
    for (int i = 1; i < count && ok; i += 2) {
        const std::wstring option = argv[i];
        if (i + 1 >= count) {
            ok = false;
            break;
        }
        const std::wstring value = argv[i + 1];
        if (option == L"--report") {
            gReport.Open(value);
        } else if (option == L"--ready") {
            readyEvent = value;
        } else if (option == L"--window") {
            windows.push_back({value, Visibility::Shown});
        } else if (option == L"--hidden") {
            windows.push_back({value, Visibility::Hidden});
        } else if (option == L"--hidden-topmost") {
            windows.push_back({value, Visibility::HiddenTopmost});
        } else if (option == L"--main") {
            windows.push_back({value, Visibility::Main});
        } else {
            ok = false;
        }
    }
    LocalFree(argv);
    return ok;
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    std::wstring readyEvent;
    std::vector<WindowPlan> windows;
    if (!ParseArguments(readyEvent, windows)) {
        return kExitBadArguments;
    }

    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = WindowProcedure;
    windowClass.hInstance = instance;
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = kClassName;
    if (!windows.empty() && !RegisterClassW(&windowClass)) {
        return kExitNoWindow;
    }

    // One window at a time, so that they enter the window order in the order given.
    std::vector<std::thread> threads;
    for (size_t i = 0; i < windows.size(); ++i) {
        const UniqueHandle created{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
        bool ok = false;
        threads.emplace_back(WindowThread, i, std::cref(windows[i]), created.get(), std::ref(ok));
        WaitForSingleObject(created.get(), INFINITE);
        if (!ok) {
            ExitProcess(kExitNoWindow);
        }
    }

    if (!readyEvent.empty()) {
        const UniqueHandle ready{OpenEventW(EVENT_MODIFY_STATE, FALSE, readyEvent.c_str())};
        if (ready) {
            SetEvent(ready.get());
        }
    }
    // Stay alive after the windows are gone: a window that quits must not take its process
    // with it, and a process looked up by name has no windows at all.
    Sleep(kLifetimeMs);
    ExitProcess(kExitLifetimeOver);
}
