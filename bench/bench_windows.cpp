#include "bench/bench_windows.h"

namespace skorvelin::bench {
namespace {

constexpr wchar_t kClassName[] = L"SkorvelinBenchWindow";

} // namespace

std::wstring BenchTitle(int number) {
    std::wstring digits = std::to_wstring(number);
    if (digits.size() < 4) {
        digits.insert(0, 4 - digits.size(), L'0');
    }
    return L"Bench Window " + digits + L" - Skorvelin";
}

BenchWindows::BenchWindows() {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kClassName;
    RegisterClassW(&windowClass);
    for (int number = 1; number <= kBenchWindowCount; ++number) {
        UniqueWindow window{CreateWindowExW(0, kClassName, BenchTitle(number).c_str(),
                                            WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr,
                                            windowClass.hInstance, nullptr)};
        if (window) {
            windows_.push_back(std::move(window));
        }
    }
}

BenchWindows::~BenchWindows() {
    windows_.clear();
    UnregisterClassW(kClassName, GetModuleHandleW(nullptr));
}

int HostBenchWindows(HANDLE ready, HANDLE quit) {
    const BenchWindows windows;
    if (windows.size() != kBenchWindowCount) {
        return 1;
    }
    SetEvent(ready);
    // The searches over these windows, the hostile patterns read again for every window among
    // them, take minutes on a loaded machine; the bound only keeps an orphan from lingering.
    WaitForSingleObject(quit, 15 * 60 * 1000);
    return 0;
}

} // namespace skorvelin::bench
