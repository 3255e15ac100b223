// "/t:" against real windows: exactly the designated window is asked to quit, and every other
// window goes on as before.
#include "tests/support/harness.h"
#include "tests/support/target.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using namespace skorvelin::support;

using Kind = WindowPlan::Kind;

// Five letters that no other window's title is likely to end with.
std::wstring Mark(wchar_t first) {
    std::wstring mark(1, first);
    for (DWORD id = GetCurrentProcessId(), i = 0; i < 4; ++i, id /= 26) {
        mark += static_cast<wchar_t>(L'a' + id % 26);
    }
    return mark;
}

// 300 characters: `at251` occupies characters 251 to 255, `at296` the last five.
std::wstring LongTitle(const std::wstring& at251, const std::wstring& at296) {
    std::wstring title = UniqueTag() + L" ";
    title.resize(250, L'm');
    title += at251;
    title.resize(295, L'm');
    return title + at296;
}

std::set<size_t> Only(std::optional<size_t> index) {
    return index ? std::set<size_t>{*index} : std::set<size_t>{};
}

struct TitleCase {
    const char* what;
    std::vector<WindowPlan> windows;
    std::wstring arguments;
    std::optional<size_t> quits; // always window 0, which the platform enumerates last of them
};

TEST(TitleCommand, QuitsExactlyTheDesignatedWindow) {
    const std::wstring tag = UniqueTag();
    const std::wstring mark251 = Mark(L'x');
    const std::wstring mark296 = Mark(L'y');
    const std::wstring longTitle = LongTitle(mark251, mark296);
    ASSERT_EQ(longTitle.size(), 300u);
    ASSERT_EQ(longTitle.substr(250, 5), mark251);

    const TitleCase cases[] = {
        {"capitals in the title and in the command; the whole title must match",
         {{L"FOO " + tag}, {L"Foo " + tag + L" - Bar"}},
         L"/T:Foo " + tag,
         0},
        {"a hidden window is found",
         {{tag + L" hidden", Kind::Hidden}, {tag + L" hidden - shown"}},
         L"/t:" + tag + L" hidden",
         0},
        {"? stands for exactly one character",
         {{tag + L" alpha 7"}, {tag + L" alpha 77"}},
         L"/t:" + tag + L" alph? ?",
         0},
        {"* stands for any run of characters",
         {{tag + L" beta: second"}, {tag + L" gamma"}},
         L"/t:" + tag + L" b*d",
         0},
        {"blanks around the command are ignored, blanks inside the pattern kept",
         {{tag + L" fo o"}, {tag + L" foo"}},
         L"   /t:   " + tag + L" fo o   ",
         0},
        {"a long title is tested on its first 255 characters only",
         {{longTitle}},
         L"/t:*" + mark251,
         0},
        {"the end of a long title beyond 255 characters is never seen",
         {{longTitle}},
         L"/t:*" + mark296,
         std::nullopt},
        {"no window matches",
         {{tag + L" one"}, {tag + L" two", Kind::Hidden}},
         L"/t:" + tag + L" three",
         std::nullopt},
        {"everything after the prefix is the pattern, another command included",
         {{tag + L" /N:Bar.exe"}, {tag}},
         L"/t:" + tag + L" /n:bar.exe",
         0},
        {"the pattern is matched, not searched for",
         {{tag + L" delta"}},
         L"/t:" + tag,
         std::nullopt},
    };

    for (const TitleCase& c : cases) {
        SCOPED_TRACE(c.what);
        ScratchFolder scratch;
        Job job;
        const TargetApp target(job, TargetProgram(BinFolder()), scratch.path(), c.windows);
        ASSERT_EQ(target.failure(), L"");
        if (c.quits) {
            // Every decoy comes first, so a lookup that wrongly took one would take it.
            const std::vector<HWND> order = TopLevelWindows();
            for (size_t i = 1; i < target.windowCount(); ++i) {
                ASSERT_LT(PositionOf(target.window(i), order), PositionOf(target.window(0), order));
            }
        }

        EXPECT_EQ(RunToEnd(job, SkorvelinProgram(), c.arguments), std::optional<DWORD>(0));

        const std::optional<std::set<size_t>> quit = target.QuitWindows();
        ASSERT_TRUE(quit) << "some window neither quit nor answered";
        EXPECT_EQ(*quit, Only(c.quits));
        EXPECT_TRUE(target.process().Running());
    }
}

TEST(TitleCommand, OfTwoMatchingWindowsOnlyTheFirstEnumeratedQuits) {
    const std::wstring tag = UniqueTag();
    ScratchFolder scratch;
    Job job;
    const TargetApp target(job, TargetProgram(BinFolder()), scratch.path(),
                           {{tag + L" twin"}, {tag + L" TWIN", Kind::Hidden}});
    ASSERT_EQ(target.failure(), L"");
    const std::vector<HWND> order = TopLevelWindows();
    const size_t first =
        PositionOf(target.window(0), order) < PositionOf(target.window(1), order) ? 0 : 1;

    EXPECT_EQ(RunToEnd(job, SkorvelinProgram(), L"/t:" + tag + L" twin"), std::optional<DWORD>(0));

    EXPECT_EQ(target.QuitWindows(), std::optional<std::set<size_t>>({first}));
}

TEST(TitleCommand, EmptyPatternQuitsTheFirstUntitledWindow) {
    ScratchFolder scratch;
    Job job;
    const TargetApp target(
        job, TargetProgram(BinFolder()), scratch.path(),
        {{L"", Kind::HiddenTopmost}, {L"", Kind::Hidden}, {UniqueTag() + L" titled"}});
    ASSERT_EQ(target.failure(), L"");
    // Other programs own untitled windows too; a quit message must never reach those.
    const std::vector<HWND> order = TopLevelWindows();
    const auto firstUntitled = std::find_if(order.begin(), order.end(), [](HWND window) {
        wchar_t title[2];
        return GetWindowTextW(window, title, 2) == 0;
    });
    ASSERT_NE(firstUntitled, order.end());
    ASSERT_EQ(*firstUntitled, target.window(0)) << "another program's untitled window comes first";

    EXPECT_EQ(RunToEnd(job, SkorvelinProgram(), L"/t:"), std::optional<DWORD>(0));

    EXPECT_EQ(target.QuitWindows(), std::optional<std::set<size_t>>({0}));
}

struct StarCase {
    const char* what;
    WindowPlan first;
};

// "*" takes the very first window of the enumeration, whatever it is.
TEST(TitleCommand, StarQuitsTheFirstEnumeratedWindowHiddenOrUntitled) {
    const std::wstring tag = UniqueTag();
    const StarCase cases[] = {
        {"hidden and untitled", {L"", Kind::HiddenTopmost}},
        {"hidden with a title", {tag + L" hidden first", Kind::HiddenTopmost}},
    };
    for (const StarCase& c : cases) {
        SCOPED_TRACE(c.what);
        ScratchFolder scratch;
        Job job;
        const TargetApp target(job, TargetProgram(BinFolder()), scratch.path(),
                               {c.first, {tag + L" shown second"}});
        ASSERT_EQ(target.failure(), L"");
        // The quit message goes to whatever comes first: it must be this test's window.
        const std::vector<HWND> order = TopLevelWindows();
        ASSERT_FALSE(order.empty());
        ASSERT_EQ(order.front(), target.window(0)) << "another program's window comes first";

        EXPECT_EQ(RunToEnd(job, SkorvelinProgram(), L"/t:*"), std::optional<DWORD>(0));

        EXPECT_EQ(target.QuitWindows(), std::optional<std::set<size_t>>({0}));
    }
}

// An application's main loop ends with the quit message's value as its exit status: the closed
// application ends as if it had quit by itself, with 0.
TEST(TitleCommand, TheClosedApplicationEndsWithStatus0) {
    const std::wstring title = L"Main " + UniqueTag();
    ScratchFolder scratch;
    Job job;
    const TargetApp target(job, TargetProgram(BinFolder()), scratch.path(),
                           {{title, WindowPlan::Kind::Main}});
    ASSERT_EQ(target.failure(), L"");

    EXPECT_EQ(RunToEnd(job, SkorvelinProgram(), L"/t:" + title), std::optional<DWORD>(0));

    ASSERT_TRUE(target.process().WaitForEnd(10000)) << "the application goes on running";
    EXPECT_EQ(target.process().ExitCode(), std::optional<DWORD>(0));
}

// Command lines that are not commands bring up the help window, which is closed the way a
// user would; the run then ends with the same status as a command's. Which lines are commands
// is the parser's table (tests/unit/command_line_test.cpp: "/x:abc", "t:foo", "/t :foo" and
// the others); here, through the program's own reading of its command line, a line with no
// text, one of blanks only, and one whose command follows a tab, which the reading keeps.
TEST(ExitStatus, HelpRunEndsLikeACommand) {
    const std::wstring tag = UniqueTag();
    const std::wstring notCommands[] = {L"", L"   ", L"\t/t:" + tag};
    for (const std::wstring& arguments : notCommands) {
        SCOPED_TRACE(testing::PrintToString(arguments));
        ScratchFolder scratch;
        Job job;
        const TargetApp target(job, TargetProgram(BinFolder()), scratch.path(), {{tag}});
        ASSERT_EQ(target.failure(), L"");

        const Process run = job.Start(SkorvelinProgram(), arguments);
        ASSERT_TRUE(run);
        HWND help = nullptr;
        WaitUntil(30000, [&] {
            help = HelpFormOf(run.id());
            return help != nullptr || !run.Running();
        });
        // A run that took the line for a command would end without showing anything.
        ASSERT_TRUE(help) << "no help window; the run "
                          << (run.Running() ? "still runs" : "ended at once");
        EXPECT_TRUE(run.Running());

        PostMessageW(help, WM_CLOSE, 0, 0);
        ASSERT_TRUE(run.WaitForEnd(30000)) << "the closed help window left the run going";
        EXPECT_EQ(run.ExitCode(), std::optional<DWORD>(0));
        EXPECT_EQ(target.QuitWindows(), std::optional<std::set<size_t>>(std::set<size_t>{}));
    }
}

} // namespace
