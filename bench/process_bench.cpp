#include "bench/report.h"
#include "bench/sections.h"
#include "bench/timing.h"
#include "common/platform_text.h"
#include "lookup/process_lookup.h"
#include "tests/support/own_program.h"

#include <string>
#include <vector>

namespace skorvelin::bench {
namespace {

constexpr int kSearchRuns = 31;

} // namespace

void ProcessSearch() {
    const std::vector<DWORD> ids = ListProcessIds();
    if (ids.empty()) {
        ReportFault("the platform lists no process");
        return;
    }
    const std::wstring ownName = LowerCase(FileNameOf(support::OwnProgramPath().wstring()));
    if (modGeneral::FindProcessByName(ownName).id != GetCurrentProcessId()) {
        ReportFault("the search by name does not find this program's own process");
    }
    if (modGeneral::FindProcessByName(L"absent.exe").id != 0) {
        ReportFault("a process named absent.exe was found");
    }
    // The two are timed in turn within each round, so that a slow spell of the machine
    // weighs on all of them alike.
    std::vector<double> searches, lists;
    for (int run = 0; run < kSearchRuns; ++run) {
        double start = Now();
        modGeneral::FindProcessByName(L"absent.exe");
        searches.push_back(Now() - start);
        start = Now();
        ListProcessIds();
        lists.push_back(Now() - start);
    }
    const double search = Median(std::move(searches));
    const double count = static_cast<double>(ids.size());

    Table table({{"FindProcessByName(\"absent.exe\")", false}, {"value", true}});
    table.Add({"running processes", Count(count)});
    table.Add({"whole search, median of " + std::to_string(kSearchRuns), Duration(search)});
    table.Add({"per process", Duration(search / count)});
    table.Add({"listing the ids alone (ListProcessIds)", Duration(Median(std::move(lists)))});
    table.Print("Process search over the running processes");
}

} // namespace skorvelin::bench
