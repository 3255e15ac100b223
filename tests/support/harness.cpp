#include "tests/support/harness.h"

#include "tests/support/own_program.h"

#include <psapi.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <system_error>

namespace skorvelin::support {

namespace fs = std::filesystem;
using skorvelin::UniqueHandle;

namespace {

constexpr DWORD kRunTimeoutMs = 30000;
constexpr DWORD kMessageTimeoutMs = 5000;

} // namespace

fs::path BinFolder() {
    return OwnProgramFolder();
}

fs::path SkorvelinProgram() {
    return BinFolder() / L"Skorvelin.exe";
}

std::wstring Quoted(const std::wstring& text) {
    return L"\"" + text + L"\"";
}

fs::path PeerBinFolder() {
    const wchar_t* const peer = sizeof(void*) == 8 ? L"i686" : L"x86_64";
    return (BinFolder() / L".." / L".." / peer / L"bin").lexically_normal();
}

std::wstring UniqueTag() {
    return std::wstring(sizeof(void*) == 8 ? L"q" : L"k") + std::to_wstring(GetCurrentProcessId());
}

std::wstring Lowered(std::wstring text) {
    if (!text.empty()) {
        CharLowerBuffW(text.data(), static_cast<DWORD>(text.size()));
    }
    return text;
}

ScratchFolder::ScratchFolder() {
    static std::atomic<int> counter{0};
    path_ =
        fs::temp_directory_path() / (L"skv-e2e-" + UniqueTag() + L"-" + std::to_wstring(++counter));
    fs::create_directories(path_);
}

ScratchFolder::~ScratchFolder() {
    // Programs copied here may take a moment to be released after their processes end.
    std::error_code error;
    WaitUntil(5000, [&] {
        fs::remove_all(path_, error);
        return !error;
    });
}

bool Process::WaitForEnd(DWORD timeoutMs) const {
    return handle_ && WaitForSingleObject(handle_.get(), timeoutMs) == WAIT_OBJECT_0;
}

std::optional<DWORD> Process::ExitCode() const {
    DWORD code = 0;
    if (!WaitForEnd(0) || !GetExitCodeProcess(handle_.get(), &code)) {
        return std::nullopt;
    }
    return code;
}

Job::Job() : job_(CreateJobObjectW(nullptr, nullptr)) {
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    SetInformationJobObject(job_.get(), JobObjectExtendedLimitInformation, &limits, sizeof(limits));
}

Job::~Job() {
    TerminateJobObject(job_.get(), 1);
    for (const UniqueHandle& process : started_) {
        TerminateProcess(process.get(), 1); // in case it never joined the job
        WaitForSingleObject(process.get(), 5000);
    }
}

namespace {

// A start that fails does so before any of the program's code has run. With both suites and the
// fuzzing on two cores, one start in several thousand was seen to fail, so it is tried again.
// Each refusal is logged with the call and its error, so that a test that still gets nothing
// says why.
constexpr int kStartAttempts = 3;

void ReportStartFailure(const wchar_t* call, const fs::path& program) {
    const DWORD error = GetLastError();
    fwprintf(stderr, L"could not start %ls: %ls failed with error %lu\n", program.c_str(), call,
             error);
}

} // namespace

Process Job::Start(const fs::path& program, const std::wstring& arguments) {
    for (int attempt = 0; attempt < kStartAttempts; ++attempt) {
        std::wstring commandLine = L"\"" + program.wstring() + L"\" " + arguments;
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION info{};
        if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                            CREATE_SUSPENDED, nullptr, nullptr, &startup, &info)) {
            ReportStartFailure(L"CreateProcessW", program);
            continue;
        }
        UniqueHandle process{info.hProcess};
        const UniqueHandle thread{info.hThread};
        if (!AssignProcessToJobObject(job_.get(), process.get())) {
            ReportStartFailure(L"AssignProcessToJobObject", program);
            TerminateProcess(process.get(), 1);
            WaitForSingleObject(process.get(), 5000);
            continue;
        }
        HANDLE watch = nullptr;
        DuplicateHandle(GetCurrentProcess(), process.get(), GetCurrentProcess(), &watch, 0, FALSE,
                        DUPLICATE_SAME_ACCESS);
        started_.emplace_back(watch);
        ResumeThread(thread.get());
        return Process(std::move(process), info.dwProcessId);
    }
    return {};
}

namespace {

BOOL CALLBACK CollectWindow(HWND window, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

} // namespace

std::vector<HWND> TopLevelWindows() {
    std::vector<HWND> windows;
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

HWND HelpFormOf(DWORD id) {
    for (const HWND window : TopLevelWindows()) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == id && IsWindowVisible(window) && !GetWindow(window, GW_OWNER)) {
            return window;
        }
    }
    return nullptr;
}

HWND DialogBoxOf(DWORD id) {
    for (const HWND window : TopLevelWindows()) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == id && IsWindowVisible(window) && ClassName(window) == L"#32770") {
            return window;
        }
    }
    return nullptr;
}

size_t PositionOf(HWND window, const std::vector<HWND>& order) {
    return static_cast<size_t>(std::find(order.begin(), order.end(), window) - order.begin());
}

std::wstring WindowText(HWND window) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kMessageTimeoutMs,
                             &length)) {
        return L"<no answer>";
    }
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                        SMTO_ABORTIFHUNG, kMessageTimeoutMs, &copied);
    text.resize(copied);
    return text;
}

std::wstring ClassName(HWND window) {
    wchar_t name[256] = {};
    const int length = GetClassNameW(window, name, 256);
    return std::wstring(name, static_cast<size_t>(length > 0 ? length : 0));
}

std::vector<DWORD> ProcessIds() {
    std::vector<DWORD> ids(4096);
    DWORD bytes = 0;
    if (!EnumProcesses(ids.data(), static_cast<DWORD>(ids.size() * sizeof(DWORD)), &bytes)) {
        return {};
    }
    ids.resize(bytes / sizeof(DWORD));
    return ids;
}

std::wstring ExecutableNameOf(DWORD id) {
    const HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id);
    if (!process) {
        return L"";
    }
    wchar_t path[MAX_PATH];
    DWORD length = MAX_PATH;
    const bool read = QueryFullProcessImageNameW(process, 0, path, &length);
    CloseHandle(process);
    return read ? Lowered(fs::path(std::wstring(path, length)).filename().wstring()) : L"";
}

fs::path CopyProgram(const fs::path& program, const fs::path& folder, const std::wstring& name) {
    const fs::path copy = folder / name;
    fs::copy_file(program, copy, fs::copy_options::overwrite_existing);
    return copy;
}

std::optional<DWORD> RunToEnd(Job& job, const fs::path& program, const std::wstring& arguments) {
    const Process run = job.Start(program, arguments);
    if (!run.WaitForEnd(kRunTimeoutMs)) {
        return std::nullopt;
    }
    return run.ExitCode();
}

} // namespace skorvelin::support
