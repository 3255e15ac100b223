#pragma once
// A thousand hidden top-level windows with distinct titles, to search through.
#include "common/unique_handle.h"

#include <string>
#include <vector>

namespace skorvelin::bench {

inline constexpr int kBenchWindowCount = 1000;
// Every bench window's title, lower-cased, starts so.
inline constexpr wchar_t kBenchTitlePrefix[] = L"bench window ";

inline void DestroyBenchWindow(HWND window) {
    DestroyWindow(window);
}
using UniqueWindow = UniqueResource<HWND, DestroyBenchWindow>;

// The windows exist, hidden and owned by the creating thread, for the life of the object.
class BenchWindows {
  public:
    BenchWindows();
    BenchWindows(const BenchWindows&) = delete;
    BenchWindows& operator=(const BenchWindows&) = delete;
    ~BenchWindows();

    size_t size() const { return windows_.size(); }

  private:
    std::vector<UniqueWindow> windows_;
};

// The title of window `number`, in mixed case so that the search has letters to lower.
std::wstring BenchTitle(int number);

// Run as a separate process: makes the windows, signals `ready`, and keeps them until `quit`
// is signalled or a minute has passed. Answers the process's exit status.
int HostBenchWindows(HANDLE ready, HANDLE quit);

} // namespace skorvelin::bench
