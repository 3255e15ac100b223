#pragma once
// Starting, watching and cleaning up the real processes that the end-to-end tests drive.
#include "common/unique_handle.h"

#include <windows.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace skorvelin::support {

// The folder of the running test program, where the programs it drives were built too.
std::filesystem::path BinFolder();

// Skorvelin.exe of this build, in BinFolder().
std::filesystem::path SkorvelinProgram();

// The bin folder of the other architecture's build: <bin>\..\..\<other architecture>\bin.
std::filesystem::path PeerBinFolder();

// The text in double quotes, as one argument of a command line.
std::wstring Quoted(const std::wstring& text);

// Text that names this test process, to keep window titles and file names of concurrent runs
// apart.
std::wstring UniqueTag();

// Windows file names and titles compare ignoring case; this lowers like the platform does.
std::wstring Lowered(std::wstring text);

// A fresh, empty folder under the temporary folder, removed with everything in it at the end.
// Programs that run from it keep their files in use: declare it before the Job that runs them.
class ScratchFolder {
  public:
    ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    ~ScratchFolder();
    const std::filesystem::path& path() const { return path_; }

  private:
    std::filesystem::path path_;
};

class Process {
  public:
    Process() = default;
    Process(skorvelin::UniqueHandle handle, DWORD id) : handle_(std::move(handle)), id_(id) {}

    explicit operator bool() const { return static_cast<bool>(handle_); }
    HANDLE handle() const { return handle_.get(); }
    DWORD id() const { return id_; }

    // True when the process ended within `timeoutMs`.
    bool WaitForEnd(DWORD timeoutMs) const;
    bool Running() const { return !WaitForEnd(0); }
    // The exit code once the process has ended; nothing while it runs.
    std::optional<DWORD> ExitCode() const;

  private:
    skorvelin::UniqueHandle handle_;
    DWORD id_ = 0;
};

// Every process a test starts belongs to one job, which ends them all when the test is over,
// and also when the test program itself dies. The test is over only once they have all ended,
// so that nothing of one test is left for the next to find.
class Job {
  public:
    Job();
    Job(const Job&) = delete;
    Job& operator=(const Job&) = delete;
    ~Job();

    // Starts `program` with the command line `"program" arguments`, exactly so: the program sees
    // `arguments` after the blank that follows its quoted name. A start the platform refuses is
    // tried again; an empty Process when it never starts.
    Process Start(const std::filesystem::path& program, const std::wstring& arguments);

  private:
    skorvelin::UniqueHandle job_;
    std::vector<skorvelin::UniqueHandle> started_;
};

// The top-level windows, in the platform's enumeration order.
std::vector<HWND> TopLevelWindows();

// The help window of process `id`: its visible top-level window that nothing owns, or nullptr.
HWND HelpFormOf(DWORD id);

// The visible dialog box (message box) of process `id`, or nullptr.
HWND DialogBoxOf(DWORD id);

// Where `window` comes in `order`; order.size() when it is not there.
size_t PositionOf(HWND window, const std::vector<HWND>& order);

// A window's text, read through the window's own message handling (so across processes too).
std::wstring WindowText(HWND window);

// The class name of a window, such as "Button" or "Edit".
std::wstring ClassName(HWND window);

// The process ids, in the platform's enumeration order.
std::vector<DWORD> ProcessIds();

// The lower-cased file name of process `id`'s executable; empty when it cannot be read.
std::wstring ExecutableNameOf(DWORD id);

// A copy of `program` under `folder` with the file name `name`.
std::filesystem::path CopyProgram(const std::filesystem::path& program,
                                  const std::filesystem::path& folder, const std::wstring& name);

// Runs Skorvelin.exe (or a copy of it) with `arguments` and waits for it to end; its exit code,
// or nothing when it did not end within the time allowed.
std::optional<DWORD> RunToEnd(Job& job, const std::filesystem::path& program,
                              const std::wstring& arguments);

// Polls `condition` until it holds or `timeoutMs` has passed; its last answer.
template <typename Condition> bool WaitUntil(DWORD timeoutMs, Condition condition) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        if (condition()) {
            return true;
        }
        if (GetTickCount64() >= deadline) {
            return false;
        }
        Sleep(20);
    }
}

} // namespace skorvelin::support
