// Whole runs of Skorvelin.exe against the platform's own command for the same job, in the two
// settings that matter under Wine. A program that makes a window needs Wine's desktop process
// (explorer.exe /desktop); when none is running, the program starts one and waits for it, which
// costs more than the rest of its run. The desktop process ends about a second after the last
// process of the session, so it never ends while the benchmark runs: the runs without it are
// each made by a benchmark process of their own (OneWholeRun), started by tools/bench.sh into
// an idle session, and handed to WholeRuns in a file.
#include "bench/bench_windows.h"
#include "bench/launch.h"
#include "bench/report.h"
#include "bench/sections.h"
#include "bench/timing.h"
#include "lookup/process_lookup.h"
#include "tests/support/own_program.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

namespace skorvelin::bench {
namespace {

constexpr DWORD kLongestRunMs = 30000;
// The row of the platform's command, which the others are compared with.
constexpr size_t kReference = 1;

struct Program {
    std::string label;
    std::wstring commandLine;
    std::optional<DWORD> expectedStatus; // nothing: any exit status will do
};

std::wstring SystemFolder() {
    wchar_t folder[MAX_PATH];
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    return std::wstring(folder, length < MAX_PATH ? length : 0);
}

std::vector<Program> ComparedPrograms() {
    const std::wstring quoted =
        L"\"" + (support::OwnProgramFolder() / L"Skorvelin.exe").wstring() + L"\"";
    return {
        // The program ends with status 0 whatever it found; the platform's command reports a
        // miss in its status, which is left alone.
        {"Skorvelin.exe /n:absent.exe", quoted + L" /n:absent.exe", 0},
        {"taskkill.exe /IM absent.exe", L"\"" + SystemFolder() + L"\\taskkill.exe\" /IM absent.exe",
         std::nullopt},
        {"Skorvelin.exe /t:absent window", quoted + L" /t:absent window", 0},
    };
}

bool DesktopProcessRunning() {
    return modGeneral::FindProcessByName(L"explorer.exe").id != 0;
}

// Seconds from start to end of one run of `program`; nothing when it did not start, did not
// end in time, or ended with another status than it should (a crash, for one).
std::optional<double> RunOnce(const Program& program) {
    const double start = Now();
    const UniqueHandle process = Launch(program.commandLine);
    if (!process || WaitForSingleObject(process.get(), kLongestRunMs) != WAIT_OBJECT_0) {
        if (process) {
            TerminateProcess(process.get(), 1);
        }
        ReportFault(program.label + " did not run to its end");
        return std::nullopt;
    }
    const double seconds = Now() - start;
    DWORD status = 0;
    GetExitCodeProcess(process.get(), &status);
    if (program.expectedStatus && status != *program.expectedStatus) {
        char hex[16];
        std::snprintf(hex, sizeof(hex), "0x%08lX", static_cast<unsigned long>(status));
        ReportFault(program.label + " ended with status " + hex);
        return std::nullopt;
    }
    return seconds;
}

using Samples = std::vector<std::vector<double>>; // per program, in ComparedPrograms' order

// Each program once unmeasured (the first start reads it from disk), then `rounds` rounds,
// alternating so that whatever else the machine does weighs on every program alike.
std::optional<Samples> MeasureWithDesktop(const std::vector<Program>& programs, int rounds) {
    Samples samples(programs.size());
    for (int round = -1; round < rounds; ++round) {
        for (size_t i = 0; i < programs.size(); ++i) {
            const std::optional<double> seconds = RunOnce(programs[i]);
            if (!seconds) {
                return std::nullopt;
            }
            if (round >= 0) {
                samples[i].push_back(*seconds);
            }
        }
    }
    return samples;
}

// Reads the lines "<program index> <seconds>" that tools/bench.sh collected from OneWholeRun.
std::optional<Samples> ReadSamples(const std::wstring& path, size_t programCount) {
    std::ifstream file{std::filesystem::path(path)};
    if (!file) {
        ReportFault("the runs without a windowed program could not be read");
        return std::nullopt;
    }
    Samples samples(programCount);
    size_t index = 0;
    double seconds = 0;
    while (file >> index >> seconds) {
        if (index >= programCount || !(seconds > 0)) {
            ReportFault("the runs without a windowed program hold a line that is not a run");
            return std::nullopt;
        }
        samples[index].push_back(seconds);
    }
    if (!file.eof()) {
        ReportFault("the runs without a windowed program hold a line that is not a run");
        return std::nullopt;
    }
    for (const std::vector<double>& runs : samples) {
        if (runs.size() != samples[kReference].size() || runs.empty()) {
            ReportFault("the runs without a windowed program are not in full rounds");
            return std::nullopt;
        }
    }
    return samples;
}

} // namespace

int OneWholeRun(int programIndex) {
    const std::vector<Program> programs = ComparedPrograms();
    if (programIndex < 0 || static_cast<size_t>(programIndex) >= programs.size()) {
        std::fprintf(stderr, "no compared program has the number %d\n", programIndex);
        return 2;
    }
    if (DesktopProcessRunning()) {
        ReportFault("Wine's desktop process is running: this is not a run without windows");
        return 1;
    }
    const std::optional<double> seconds = RunOnce(programs[programIndex]);
    if (!seconds) {
        return 1;
    }
    std::printf("%d %.9f\n", programIndex, *seconds);
    return 0;
}

void WholeRuns(int rounds, const std::wstring& withoutWindowsPath) {
    const std::vector<Program> programs = ComparedPrograms();
    std::optional<Samples> without;
    if (!withoutWindowsPath.empty()) {
        without = ReadSamples(withoutWindowsPath, programs.size());
        if (!without) {
            return;
        }
    }
    // A hidden window of ours stands for the applications that are open when the program is
    // used: it keeps Wine's desktop process running.
    const UniqueWindow window{CreateWindowExW(0, L"STATIC", L"whole runs", WS_POPUP, 0, 0, 10, 10,
                                              nullptr, nullptr, nullptr, nullptr)};
    if (!window || !DesktopProcessRunning()) {
        ReportFault("Wine's desktop process is not running beside a window");
        return;
    }
    const std::optional<Samples> with = MeasureWithDesktop(programs, rounds);
    if (!with) {
        return;
    }

    std::vector<Table::Column> columns = {{"whole run, started and waited for", false}};
    if (without) {
        columns.push_back({"no windowed program: median", true});
        columns.push_back({"vs taskkill", true});
    }
    columns.push_back({"desktop process running: median", true});
    columns.push_back({"vs taskkill", true});
    Table table(std::move(columns));
    const double withReference = Median((*with)[kReference]);
    const double withoutReference = without ? Median((*without)[kReference]) : 0;
    for (size_t i = 0; i < programs.size(); ++i) {
        std::vector<std::string> row = {Code(programs[i].label)};
        if (without) {
            const double median = Median((*without)[i]);
            row.push_back(Duration(median));
            row.push_back(Factor(median / withoutReference));
        }
        const double median = Median((*with)[i]);
        row.push_back(Duration(median));
        row.push_back(Factor(median / withReference));
        table.Add(std::move(row));
    }
    std::string title = "Whole runs, median of " + std::to_string(rounds) + " alternating rounds";
    if (without) {
        title +=
            " (" + std::to_string((*without)[kReference].size()) + " without a windowed program)";
    }
    table.Print(title);
}

} // namespace skorvelin::bench
