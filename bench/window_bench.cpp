#include "bench/bench_windows.h"
#include "bench/hostile_patterns.h"
#include "bench/launch.h"
#include "bench/report.h"
#include "bench/sections.h"
#include "bench/timing.h"
#include "common/pattern_match.h"
#include "common/platform_calls.h"
#include "common/platform_text.h"
#include "lookup/window_lookup.h"
#include "tests/support/own_program.h"

#include <optional>
#include <string>

namespace skorvelin::bench {
namespace {

constexpr int kSearchRuns = 31;
// Searches that read a hostile pattern again for every window take long: fewer of them.
constexpr int kRecompilingRuns = 5;

// The patterns of a search that visits every window: each matches no title.
struct AbsentPattern {
    const char* label;
    std::wstring pattern;
};

std::vector<AbsentPattern> AbsentPatterns() {
    std::wstring lists;
    for (int i = 0; i < 20; ++i) {
        lists += L"*[a-z]";
    }
    return {{"no window has this title", L"no window has this title"},
            {"*no window has this title*", L"*no window has this title*"},
            {"*[a-z] x20, *[~]", lists + L"*[~]"}};
}

std::wstring ReadTitle(HWND window) {
    wchar_t buffer[256];
    const int length = GetWindowTextW(window, buffer, 256);
    return std::wstring(buffer, length > 0 ? static_cast<size_t>(length) : 0);
}

// What the steps of a search up to the pattern match cost, each walked on its own.
struct Walk {
    size_t windows = 0;
    size_t characters = 0;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM list) {
    try {
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    } catch (...) {
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK CountOnly(HWND, LPARAM walk) {
    ++reinterpret_cast<Walk*>(walk)->windows;
    return TRUE;
}

BOOL CALLBACK ReadTitleOnly(HWND window, LPARAM walk) {
    wchar_t buffer[256];
    const int length = GetWindowTextW(window, buffer, 256);
    Walk& w = *reinterpret_cast<Walk*>(walk);
    ++w.windows;
    w.characters += static_cast<size_t>(length > 0 ? length : 0);
    return TRUE;
}

BOOL CALLBACK ReadAndLowerTitle(HWND window, LPARAM walk) {
    Walk& w = *reinterpret_cast<Walk*>(walk);
    ++w.windows;
    try {
        w.characters += LowerCase(ReadTitle(window)).size();
    } catch (...) {
        return FALSE;
    }
    return TRUE;
}

// A search as it was before the pattern was read once per search: PatternMatch, which reads the
// pattern again, for every window.
BOOL CALLBACK MatchRecompiling(HWND window, LPARAM pattern) {
    try {
        return PatternMatch(LowerCase(ReadTitle(window)),
                            *reinterpret_cast<const std::wstring*>(pattern))
                   ? FALSE
                   : TRUE;
    } catch (...) {
        return FALSE;
    }
}

std::vector<HWND> TopLevelWindows() {
    std::vector<HWND> windows;
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

double SecondsPerWalk(WNDENUMPROC step) {
    return MedianSeconds(
        [step] {
            Walk walk;
            EnumWindows(step, reinterpret_cast<LPARAM>(&walk));
        },
        kSearchRuns);
}

struct Tables {
    Table searches{{{"windows of", false},
                    {"search", false},
                    {"visited", true},
                    {"median", true},
                    {"per window", true}}};
    Table steps{{{"windows of", false}, {"walk of every window", false}, {"per window", true}}};
    Table patterns{{{"windows of", false},
                    {"pattern", false},
                    {"search, per window", true},
                    {"PatternMatch, per title", true},
                    {"of which compile", true},
                    {"compile share", true}}};
    Table hostile{{{"windows of", false},
                   {"pattern", false},
                   {"length", true},
                   {"stars", true},
                   {"ranges", true},
                   {"FindWindowByTitle", true},
                   {"read again per window", true},
                   {"saved", true}}};
};

// Patterns near the command line's length limit: a search that visits every window must stay
// well under a second.
void MeasureHostileSearches(const std::string& whose, size_t windows, Tables& tables) {
    for (const HostilePattern& hostile : HostilePatterns()) {
        if (modGeneral::FindWindowByTitle(hostile.pattern) != nullptr) {
            ReportFault("hostile pattern " + hostile.shape + " matches a window");
        }
        const double search =
            MedianSeconds([&] { modGeneral::FindWindowByTitle(hostile.pattern); }, kSearchRuns);
        if (search >= 0.25) {
            ReportFault("a search with the hostile pattern " + hostile.shape + " takes " +
                        Duration(search) + " over " + Count(static_cast<double>(windows)) +
                        " windows");
        }
        const double recompiling = MedianSeconds(
            [&] { EnumWindows(MatchRecompiling, reinterpret_cast<LPARAM>(&hostile.pattern)); },
            kRecompilingRuns);
        tables.hostile.Add(
            {whose, Code(hostile.shape), Count(static_cast<double>(hostile.pattern.size())),
             Count(static_cast<double>(hostile.stars)), Count(static_cast<double>(hostile.ranges)),
             Duration(search), Duration(recompiling), Factor(recompiling / search)});
    }
}

// Measures every search over the top-level windows there are now, among them the thousand
// bench windows that `whose` names.
void MeasureSearches(const std::string& whose, Tables& tables) {
    const std::vector<HWND> windows = TopLevelWindows();
    std::vector<std::wstring> titles;
    std::optional<size_t> lastBench;
    for (size_t i = 0; i < windows.size(); ++i) {
        titles.push_back(LowerCase(ReadTitle(windows[i])));
        if (titles.back().starts_with(kBenchTitlePrefix)) {
            lastBench = i;
        }
    }
    if (!lastBench) {
        ReportFault("no bench window among the top-level windows of " + whose);
        return;
    }
    const double count = static_cast<double>(windows.size());

    const double enumerate = SecondsPerWalk(CountOnly);
    const double read = SecondsPerWalk(ReadTitleOnly);
    const double lower = SecondsPerWalk(ReadAndLowerTitle);
    tables.steps.Add({whose, "EnumWindows, empty callback", Duration(enumerate / count)});
    tables.steps.Add({whose, "+ GetWindowTextW", Duration(read / count)});
    tables.steps.Add({whose, "+ LowerCase", Duration(lower / count)});

    for (const AbsentPattern& absent : AbsentPatterns()) {
        if (modGeneral::FindWindowByTitle(absent.pattern) != nullptr) {
            ReportFault("pattern " + std::string(absent.label) + " matches a window");
        }
        const double search =
            MedianSeconds([&] { modGeneral::FindWindowByTitle(absent.pattern); }, kSearchRuns);
        tables.searches.Add({whose, "no match: " + Code(absent.label), Count(count),
                             Duration(search), Duration(search / count)});

        volatile bool sink = false;
        const double match = SecondsPerCall([&] {
                                 for (const std::wstring& title : titles) {
                                     sink = PatternMatch(title, absent.pattern);
                                 }
                             }) /
                             count;
        // With no text to match, a call does little but compile the pattern.
        const double compile = SecondsPerCall([&] { sink = PatternMatch(L"", absent.pattern); });
        tables.patterns.Add({whose, Code(absent.label), Duration(search / count), Duration(match),
                             Duration(compile), Percent(compile * count / search)});
    }

    MeasureHostileSearches(whose, windows.size(), tables);

    const std::wstring& lastTitle = titles[*lastBench];
    if (modGeneral::FindWindowByTitle(lastTitle) != windows[*lastBench]) {
        ReportFault("the search for the last bench window of " + whose + " finds another");
    }
    const double found =
        MedianSeconds([&] { modGeneral::FindWindowByTitle(lastTitle); }, kSearchRuns);
    const double visited = static_cast<double>(*lastBench + 1);
    tables.searches.Add({whose, "last bench window: " + Code(WideToAnsi(lastTitle)), Count(visited),
                         Duration(found), Duration(found / visited)});
}

// The thousand windows of a second process, alive from construction to destruction.
class WindowHost {
  public:
    WindowHost() {
        SECURITY_ATTRIBUTES inheritable{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
        ready_.reset(CreateEventW(&inheritable, TRUE, FALSE, nullptr));
        quit_.reset(CreateEventW(&inheritable, TRUE, FALSE, nullptr));
        if (!ready_ || !quit_) {
            return;
        }
        process_ = Launch(L"\"" + support::OwnProgramPath().wstring() + L"\" --host-windows " +
                          std::to_wstring(reinterpret_cast<uintptr_t>(ready_.get())) + L" " +
                          std::to_wstring(reinterpret_cast<uintptr_t>(quit_.get())));
        if (process_) {
            const HANDLE either[] = {ready_.get(), process_.get()};
            started_ = WaitForMultipleObjects(2, either, FALSE, 60000) == WAIT_OBJECT_0;
        }
    }
    WindowHost(const WindowHost&) = delete;
    WindowHost& operator=(const WindowHost&) = delete;
    ~WindowHost() {
        if (!process_) {
            return;
        }
        SetEvent(quit_.get());
        if (WaitForSingleObject(process_.get(), 10000) != WAIT_OBJECT_0) {
            TerminateProcess(process_.get(), 1);
        }
    }

    bool started() const { return started_; }

  private:
    UniqueHandle ready_;
    UniqueHandle quit_;
    UniqueHandle process_;
    bool started_ = false;
};

} // namespace

void WindowSearch() {
    Tables tables;
    {
        const BenchWindows windows;
        if (windows.size() != kBenchWindowCount) {
            ReportFault("only " + std::to_string(windows.size()) + " bench windows were made");
        }
        MeasureSearches("this process", tables);
    }
    {
        const WindowHost host;
        if (host.started()) {
            MeasureSearches("another process", tables);
        } else {
            ReportFault("the process that holds the other bench windows did not start");
        }
    }
    tables.searches.Print("FindWindowByTitle over 1,000 hidden windows, median of " +
                          std::to_string(kSearchRuns) + " searches");
    tables.steps.Print("Cost of a window before its title is matched");
    tables.patterns.Print("Share of the pattern match in a search that visits every window");
    tables.hostile.Print("FindWindowByTitle over 1,000 windows with patterns near the command "
                         "line's length limit, median of " +
                         std::to_string(kSearchRuns) + " searches (" +
                         std::to_string(kRecompilingRuns) + " when read again per window)");
}

} // namespace skorvelin::bench
