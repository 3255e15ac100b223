// A run of the shipped program that runs out of memory ends like every other run: at once, with
// status 0, and with no box that would wait for somebody who is not there. The stand-in program
// is Skorvelin.exe whose allocations fail after a given number. A run that the system refuses a
// window still carries its command out.
#include "tests/support/harness.h"
#include "tests/support/target.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace skorvelin::support;

constexpr DWORD kRunTimeoutMs = 10000;

TEST(FatalPath, RunningOutOfMemoryEndsSilentlyWithStatus0) {
    struct Case {
        const char* what;
        std::wstring arguments;
    };
    const Case cases[] = {
        {"the help window", L""},
        {"a title command", L"/t:absent window " + UniqueTag()},
        {"a name command", L"/n:absent" + UniqueTag() + L".exe"},
    };
    // Set by the program at its first refused allocation.
    const std::wstring refusalName = L"skorvelin-refusal-" + UniqueTag();
    const skorvelin::UniqueHandle refusal(CreateEventW(nullptr, TRUE, FALSE, refusalName.c_str()));
    ASSERT_TRUE(refusal);
    for (const Case& c : cases) {
        // Enough memory for more and more of the run, until the help window shows or a command
        // runs without a refusal: any more memory would repeat that run.
        for (const int allowed : {0, 1, 2, 3, 5, 8, 13, 21, 34, 55, 89, 144}) {
            SCOPED_TRACE(c.what);
            SCOPED_TRACE("allocations allowed: " + std::to_string(allowed));
            ResetEvent(refusal.get());
            SetEnvironmentVariableW(L"SKORVELIN_ALLOCATIONS", std::to_wstring(allowed).c_str());
            SetEnvironmentVariableW(L"SKORVELIN_REFUSAL_EVENT", refusalName.c_str());
            Job job;
            const Process run =
                job.Start(BinFolder() / L"skorvelin_out_of_memory.exe", c.arguments);
            SetEnvironmentVariableW(L"SKORVELIN_ALLOCATIONS", nullptr);
            SetEnvironmentVariableW(L"SKORVELIN_REFUSAL_EVENT", nullptr);
            ASSERT_TRUE(run);

            HWND box = nullptr;
            HWND help = nullptr;
            WaitUntil(kRunTimeoutMs, [&] {
                box = DialogBoxOf(run.id());
                help = HelpFormOf(run.id());
                return box || help || !run.Running();
            });
            ASSERT_EQ(box, nullptr) << "a box waits: " << testing::PrintToString(WindowText(box));
            if (help) {
                ASSERT_TRUE(c.arguments.empty()) << "a command shows the help window";
                // The run had the memory it needed: the window closes as usual.
                PostMessageW(help, WM_CLOSE, 0, 0);
                ASSERT_TRUE(run.WaitForEnd(kRunTimeoutMs));
                EXPECT_EQ(run.ExitCode(), std::optional<DWORD>(0));
                EXPECT_GT(allowed, 0) << "no allocation before the help window shows?";
                break;
            }
            ASSERT_FALSE(run.Running()) << "the run neither ended nor showed a window";
            EXPECT_EQ(run.ExitCode(), std::optional<DWORD>(0));
            if (WaitForSingleObject(refusal.get(), 0) != WAIT_OBJECT_0) {
                EXPECT_FALSE(c.arguments.empty()) << "the help window's run ended unrefused";
                break;
            }
        }
    }
}

// skorvelin_no_window.exe is Skorvelin.exe on a system that refuses it every top-level window.
TEST(FatalPath, WithoutItsWindowTheCommandsStillRun) {
    const std::filesystem::path program = BinFolder() / L"skorvelin_no_window.exe";
    ScratchFolder scratch;
    Job job;

    const std::wstring title = L"Windowless " + UniqueTag();
    const TargetApp window(job, TargetProgram(BinFolder()), scratch.path(),
                           {{title, WindowPlan::Kind::Hidden}});
    ASSERT_EQ(window.failure(), L"");
    EXPECT_EQ(RunToEnd(job, program, L"/t:" + title), std::optional<DWORD>(0));
    EXPECT_EQ(window.QuitWindows(), std::optional<std::set<size_t>>({0})) << "/t: posted nothing";

    const std::wstring name = L"windowless" + UniqueTag() + L".exe";
    const TargetApp victim(job, CopyProgram(TargetProgram(BinFolder()), scratch.path(), name),
                           scratch.path(), {});
    ASSERT_EQ(victim.failure(), L"");
    EXPECT_EQ(RunToEnd(job, program, L"/n:" + name), std::optional<DWORD>(0));
    EXPECT_TRUE(victim.process().WaitForEnd(kRunTimeoutMs)) << "/n: terminated nothing";

    // The help window cannot be made: the run ends at once, as after a command.
    const Process help = job.Start(program, L"");
    ASSERT_TRUE(help);
    EXPECT_TRUE(help.WaitForEnd(kRunTimeoutMs)) << "the help path waits";
    EXPECT_EQ(help.ExitCode(), std::optional<DWORD>(0));
}

} // namespace
