#include "bench/launch.h"
#include "bench/report.h"
#include "bench/sections.h"
#include "bench/timing.h"
#include "common/platform_calls.h"
#include "lookup/process_lookup.h"
#include "tests/support/own_program.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>

namespace skorvelin::bench {
namespace {

constexpr int kSearchRuns = 31;
constexpr DWORD kLongestRunMs = 30000;

struct Program {
    std::string label;
    std::wstring commandLine;
    std::optional<DWORD> expectedStatus; // nothing: any exit status will do
    std::vector<double> seconds;
};

// Runs `program` once to its end; answers false when it did not start, did not end in time,
// or ended with another status than it should (a crash, for one).
bool RunOnce(Program& program) {
    const double start = Now();
    const UniqueHandle process = Launch(program.commandLine);
    if (!process || WaitForSingleObject(process.get(), kLongestRunMs) != WAIT_OBJECT_0) {
        if (process) {
            TerminateProcess(process.get(), 1);
        }
        ReportFault(program.label + " did not run to its end");
        return false;
    }
    program.seconds.push_back(Now() - start);
    DWORD status = 0;
    GetExitCodeProcess(process.get(), &status);
    if (program.expectedStatus && status != *program.expectedStatus) {
        char hex[16];
        std::snprintf(hex, sizeof(hex), "0x%08lX", static_cast<unsigned long>(status));
        ReportFault(program.label + " ended with status " + hex);
        return false;
    }
    return true;
}

std::optional<unsigned long long> FileSize(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) {
        return std::nullopt;
    }
    return (static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

std::wstring SystemFolder() {
    wchar_t folder[MAX_PATH];
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    return std::wstring(folder, length < MAX_PATH ? length : 0);
}

} // namespace

void ProcessSearch() {
    const std::vector<DWORD> ids = ListProcessIds();
    if (ids.empty()) {
        ReportFault("the platform lists no process");
        return;
    }
    const std::wstring ownName = LowerCase(FileNameOf(support::OwnProgramPath().wstring()));
    if (modGeneral::FindProcessByName(ownName) != GetCurrentProcessId()) {
        ReportFault("the search by name does not find this program's own process");
    }
    if (modGeneral::FindProcessByName(L"absent.exe") != 0) {
        ReportFault("a process named absent.exe was found");
    }
    // The three are timed in turn within each round, so that a slow spell of the machine
    // weighs on all of them alike.
    std::vector<double> searches, lists, paths;
    for (int run = 0; run < kSearchRuns; ++run) {
        double start = Now();
        modGeneral::FindProcessByName(L"absent.exe");
        searches.push_back(Now() - start);
        start = Now();
        ListProcessIds();
        lists.push_back(Now() - start);
        start = Now();
        for (const DWORD id : ids) {
            ExecutablePath(id);
        }
        paths.push_back(Now() - start);
    }
    const double search = Median(std::move(searches));
    const double count = static_cast<double>(ids.size());

    Table table({{"FindProcessByName(\"absent.exe\")", false}, {"value", true}});
    table.Add({"running processes", Count(count)});
    table.Add({"whole search, median of " + std::to_string(kSearchRuns), Duration(search)});
    table.Add({"per process", Duration(search / count)});
    table.Add({"listing the ids alone (ListProcessIds)", Duration(Median(std::move(lists)))});
    table.Add({"reading every path alone (ExecutablePath)", Duration(Median(std::move(paths)))});
    table.Print("Process search over the running processes");
}

void WholeRuns(int runsEach) {
    const std::wstring skorvelin = (support::OwnProgramFolder() / L"Skorvelin.exe").wstring();
    const std::optional<unsigned long long> size = FileSize(skorvelin);
    if (!size) {
        ReportFault("Skorvelin.exe is not next to the benchmark");
        return;
    }
    const std::wstring quoted = L"\"" + skorvelin + L"\"";
    std::vector<Program> programs = {
        // The program ends with status 0 whatever it found; the platform's command reports a
        // miss in its status, which is left alone.
        {"Skorvelin.exe /n:absent.exe", quoted + L" /n:absent.exe", 0, {}},
        {"taskkill.exe /IM absent.exe",
         L"\"" + SystemFolder() + L"\\taskkill.exe\" /IM absent.exe",
         std::nullopt,
         {}},
        {"Skorvelin.exe /t:absent window", quoted + L" /t:absent window", 0, {}},
    };
    const Program& reference = programs[1];

    // One run each first, unmeasured: the first start of a program reads it from disk.
    for (Program& program : programs) {
        if (!RunOnce(program)) {
            return;
        }
        program.seconds.clear();
    }
    // Alternating, so that whatever else the machine does weighs on every program alike.
    for (int run = 0; run < runsEach; ++run) {
        for (Program& program : programs) {
            if (!RunOnce(program)) {
                return;
            }
        }
    }

    const double referenceMedian = Median(reference.seconds);
    Table table({{"whole run, started and waited for", false},
                 {"median", true},
                 {"fastest", true},
                 {"vs taskkill", true}});
    for (const Program& program : programs) {
        const double median = Median(program.seconds);
        table.Add({Code(program.label), Duration(median),
                   Duration(*std::min_element(program.seconds.begin(), program.seconds.end())),
                   Factor(median / referenceMedian)});
    }
    // Both builds' sizes: this one's, and the other architecture's where it was built beside.
    const bool is64 = sizeof(void*) == 8;
    const std::filesystem::path peer = support::OwnProgramFolder() / L".." / L".." /
                                       (is64 ? L"i686" : L"x86_64") / L"bin" / L"Skorvelin.exe";
    const std::optional<unsigned long long> peerSize = FileSize(peer.lexically_normal().wstring());
    const std::string own = is64 ? "x86_64" : "i686";
    const std::string other = is64 ? "i686" : "x86_64";
    table.Add(
        {"Skorvelin.exe size (" + own + ")", Count(static_cast<double>(*size)) + " bytes", "", ""});
    table.Add({"Skorvelin.exe size (" + other + ")",
               peerSize ? Count(static_cast<double>(*peerSize)) + " bytes" : "not built", "", ""});
    table.Print("Whole runs, " + std::to_string(runsEach) + " of each, alternating");
}

} // namespace skorvelin::bench
