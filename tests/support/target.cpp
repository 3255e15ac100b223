#include "tests/support/target.h"

#include <atomic>
#include <sstream>

namespace skorvelin::support {

namespace fs = std::filesystem;
using skorvelin::UniqueHandle;

namespace {

constexpr DWORD kStartTimeoutMs = 30000;
constexpr DWORD kSettleTimeoutMs = 10000;

const wchar_t* Option(WindowPlan::Kind kind) {
    switch (kind) {
    case WindowPlan::Kind::Hidden:
        return L"--hidden";
    case WindowPlan::Kind::HiddenTopmost:
        return L"--hidden-topmost";
    case WindowPlan::Kind::Main:
        return L"--main";
    case WindowPlan::Kind::Shown:
        break;
    }
    return L"--window";
}

std::string ReadWholeFile(const fs::path& path) {
    UniqueHandle file{CreateFileW(path.c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)};
    if (file.get() == INVALID_HANDLE_VALUE) {
        file.release(); // nothing to close
        return {};
    }
    std::string text;
    char buffer[4096];
    DWORD read = 0;
    while (ReadFile(file.get(), buffer, sizeof(buffer), &read, nullptr) && read > 0) {
        text.append(buffer, read);
    }
    return text;
}

} // namespace

fs::path TargetProgram(const fs::path& binFolder) {
    return binFolder / L"skorvelin_target.exe";
}

TargetApp::TargetApp(Job& job, const fs::path& program, const fs::path& folder,
                     const std::vector<WindowPlan>& windows) {
    static std::atomic<int> counter{0};
    const std::wstring name = L"target-" + UniqueTag() + L"-" + std::to_wstring(++counter);
    report_ = folder / (name + L".txt");
    const UniqueHandle ready{CreateEventW(nullptr, TRUE, FALSE, name.c_str())};

    std::wstring arguments = L"--report " + Quoted(report_.wstring()) + L" --ready " + Quoted(name);
    for (const WindowPlan& plan : windows) {
        arguments += L" " + std::wstring(Option(plan.kind)) + L" " + Quoted(plan.title);
    }
    process_ = job.Start(program, arguments);
    if (!process_) {
        failure_ = L"cannot start " + program.wstring() + L" (error " +
                   std::to_wstring(GetLastError()) + L")";
        return;
    }
    const HANDLE waits[] = {ready.get(), process_.handle()};
    if (WaitForMultipleObjects(2, waits, FALSE, kStartTimeoutMs) != WAIT_OBJECT_0) {
        failure_ = L"the stand-in application did not open its windows";
        return;
    }

    windows_.assign(windows.size(), nullptr);
    for (const std::string& line : ReportLines()) {
        std::istringstream words(line);
        std::string event;
        size_t index = 0;
        long handle = 0;
        if (words >> event >> index >> handle && event == "window" && index < windows_.size()) {
            windows_[index] = reinterpret_cast<HWND>(static_cast<LONG_PTR>(handle));
        }
    }
    for (const HWND window : windows_) {
        if (!window) {
            failure_ = L"the report does not name every window";
        }
    }
}

std::vector<std::string> TargetApp::ReportLines() const {
    std::vector<std::string> lines;
    std::istringstream text(ReadWholeFile(report_));
    for (std::string line; std::getline(text, line);) {
        lines.push_back(line);
    }
    return lines;
}

std::optional<std::set<size_t>> TargetApp::QuitWindows() const {
    for (const HWND window : windows_) {
        // Fails harmlessly for a window whose thread has already quit and taken it along.
        PostMessageW(window, WM_APP, 0, 0);
    }
    std::set<size_t> quit;
    const bool settled = WaitUntil(kSettleTimeoutMs, [&] {
        quit.clear();
        std::set<size_t> answered;
        for (const std::string& line : ReportLines()) {
            std::istringstream words(line);
            std::string event;
            size_t index = 0;
            if (words >> event >> index) {
                if (event == "quit") {
                    quit.insert(index);
                    answered.insert(index);
                } else if (event == "ping") {
                    answered.insert(index);
                }
            }
        }
        return answered.size() == windows_.size();
    });
    if (!settled) {
        return std::nullopt;
    }
    return quit;
}

} // namespace skorvelin::support
