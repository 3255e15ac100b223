#pragma once
// The stand-in application skorvelin_target.exe, started with windows for Skorvelin to close.
#include "tests/support/harness.h"

#include <filesystem>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace skorvelin::support {

struct WindowPlan {
    // Main: shown, and its quit ends the program with the quit message's value as exit status.
    enum class Kind { Shown, Hidden, HiddenTopmost, Main };
    std::wstring title;
    Kind kind = Kind::Shown;
};

// The program file of the stand-in application in a bin folder.
std::filesystem::path TargetProgram(const std::filesystem::path& binFolder);

class TargetApp {
  public:
    // Starts `program` with `windows`, numbered from 0 in this order, and waits until they all
    // exist. Its report file goes into `folder`.
    TargetApp(Job& job, const std::filesystem::path& program, const std::filesystem::path& folder,
              const std::vector<WindowPlan>& windows);

    // Empty once every window exists; otherwise what went wrong.
    const std::wstring& failure() const { return failure_; }
    const Process& process() const { return process_; }
    HWND window(size_t index) const { return windows_.at(index); }
    size_t windowCount() const { return windows_.size(); }

    // Lets every window settle and answers those that were asked to quit. Each window is posted
    // a message after anything posted to it before; a window's queue is first in, first out,
    // so a window answers it unless a quit message was already waiting, in which case its loop
    // ends first. Nothing when some window gives neither answer in time.
    std::optional<std::set<size_t>> QuitWindows() const;

  private:
    std::vector<std::string> ReportLines() const;

    std::filesystem::path report_;
    Process process_;
    std::vector<HWND> windows_;
    std::wstring failure_;
};

} // namespace skorvelin::support
