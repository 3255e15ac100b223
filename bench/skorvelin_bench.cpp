// Prints how long the lookups take: pattern matching at its worst, the window search over a
// thousand windows, the process search, and whole runs of the program. The figures are
// medians; the program fails when a measured call answers other than expected.
#include "bench/bench_windows.h"
#include "bench/report.h"
#include "bench/sections.h"
#include "common/platform_text.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

constexpr int kDefaultWholeRuns = 15;

HANDLE HandleArgument(const char* text) {
    return reinterpret_cast<HANDLE>(static_cast<uintptr_t>(std::strtoull(text, nullptr, 10)));
}

} // namespace

int main(int argc, char** argv) {
    using namespace skorvelin::bench;
    // A program that crashes under measurement is to end at once, with its status, rather
    // than wait on an error box; the programs started from here inherit the setting. (Wine
    // does not heed it: tools/bench.sh turns its debugger off instead.)
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    if (argc == 4 && std::strcmp(argv[1], "--host-windows") == 0) {
        return HostBenchWindows(HandleArgument(argv[2]), HandleArgument(argv[3]));
    }
    if (argc == 3 && std::strcmp(argv[1], "--one-run") == 0) {
        return OneWholeRun(std::atoi(argv[2]));
    }
    int wholeRuns = kDefaultWholeRuns;
    std::wstring withoutWindows;
    bool understood = true;
    for (int i = 1; i < argc; i += 2) {
        if (i + 1 < argc && std::strcmp(argv[i], "--runs") == 0) {
            wholeRuns = std::atoi(argv[i + 1]);
        } else if (i + 1 < argc && std::strcmp(argv[i], "--without-windows") == 0) {
            withoutWindows = skorvelin::AnsiToWide(argv[i + 1]);
        } else {
            understood = false;
        }
    }
    if (!understood || wholeRuns < 1) {
        std::fputs("usage: skorvelin_bench [--runs N] [--without-windows FILE]\n"
                   "       skorvelin_bench --one-run INDEX\n"
                   "  N: alternating rounds of the whole runs compared (15 unless given)\n"
                   "  FILE: lines \"INDEX SECONDS\" of runs made with --one-run, shown beside\n"
                   "  INDEX: 0 Skorvelin.exe /n:absent.exe, 1 taskkill.exe /IM absent.exe,\n"
                   "         2 Skorvelin.exe /t:absent window\n",
                   stderr);
        return 2;
    }
    std::printf("## Skorvelin benchmark (%d-bit build)\n", static_cast<int>(sizeof(void*) * 8));
    PatternWorstCases();
    WindowSearch();
    ProcessSearch();
    WholeRuns(wholeRuns, withoutWindows);
    ProgramSizes();
    return AnyFault() ? 1 : 0;
}
