// Prints how long the lookups take: pattern matching at its worst, the window search over a
// thousand windows, the process search, and whole runs of the program. The figures are
// medians; the program fails when a measured call answers other than expected.
#include "bench/bench_windows.h"
#include "bench/report.h"
#include "bench/sections.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

constexpr int kDefaultWholeRuns = 20;

HANDLE HandleArgument(const char* text) {
    return reinterpret_cast<HANDLE>(static_cast<uintptr_t>(std::strtoull(text, nullptr, 10)));
}

} // namespace

int main(int argc, char** argv) {
    using namespace skorvelin::bench;
    if (argc == 4 && std::strcmp(argv[1], "--host-windows") == 0) {
        return HostBenchWindows(HandleArgument(argv[2]), HandleArgument(argv[3]));
    }
    int wholeRuns = kDefaultWholeRuns;
    if (argc == 3 && std::strcmp(argv[1], "--runs") == 0) {
        wholeRuns = std::atoi(argv[2]);
    } else if (argc != 1) {
        wholeRuns = 0;
    }
    if (wholeRuns < 1) {
        std::fputs("usage: skorvelin_bench [--runs N]\n"
                   "  N: whole runs of each program compared (20 unless given)\n",
                   stderr);
        return 2;
    }
    // A program that crashes under measurement is to end at once, with its status, rather
    // than wait on an error box; the programs started from here inherit the setting. (Wine
    // does not heed it: tools/bench.sh turns its debugger off instead.)
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    std::printf("## Skorvelin benchmark (%d-bit build)\n", static_cast<int>(sizeof(void*) * 8));
    PatternWorstCases();
    WindowSearch();
    ProcessSearch();
    WholeRuns(wholeRuns);
    return AnyFault() ? 1 : 0;
}
