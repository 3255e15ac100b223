// Runs the three paths of Skorvelin.exe in Wine's Windows 98 mode with Wine's call trace on, for
// win98_trace.py to read: the trace of each run goes to this program's standard error, where
// the script collects it, with a line "@@ <path> pid <hex>" that names the run's process.
#include "tests/support/harness.h"
#include "tests/support/target.h"
#include "tests/support/wine_settings.h"
#include "tests/support/url_handlers.h"
#include "tests/support/user_input.h"
#include "tests/support/window_driver.h"
#include "ui/help_controls.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>

namespace {

namespace fs = std::filesystem;
using namespace skorvelin::support;

constexpr DWORD kTimeoutMs = 30000;
// The help window's timer ticks every 3 seconds.
constexpr DWORD kTickWaitMs = 8000;
// Wine's call trace, with each line headed by its process id. Only programs started while it is
// set are traced.
constexpr wchar_t kTraceVariable[] = L"WINEDEBUG";
constexpr wchar_t kTraceChannels[] = L"+pid,+relay";

// Sets an environment variable of this process, which the programs it starts inherit, for as
// long as the object lives.
class ScopedEnvironment {
  public:
    ScopedEnvironment(const wchar_t* name, const wchar_t* value) : name_(name) {
        wchar_t previous[512];
        const DWORD length = GetEnvironmentVariableW(name, previous, 512);
        if (length > 0 && length < 512) {
            previous_.assign(previous, length);
            hadValue_ = true;
        }
        SetEnvironmentVariableW(name, value);
    }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;
    ~ScopedEnvironment() {
        SetEnvironmentVariableW(name_, hadValue_ ? previous_.c_str() : nullptr);
    }

  private:
    const wchar_t* name_;
    std::wstring previous_;
    bool hadValue_ = false;
};

void NameRun(const char* path, const Process& run) {
    std::fprintf(stderr, "@@ %s pid %04lx\n", path, static_cast<unsigned long>(run.id()));
    std::fflush(stderr);
}

class Win98Trace : public testing::Test {
  protected:
    void SetUp() override {
        program_ = CopyProgram(BinFolder() / L"Skorvelin.exe", scratch_.path(), programName_);
        ASSERT_TRUE(version_.set()) << "cannot write the Wine version override";
        ASSERT_TRUE(relayFrom_.set()) << "cannot write the trace's module filter";
    }

    ScratchFolder scratch_;
    Job job_;
    const std::wstring programName_ = L"skvtrace" + UniqueTag() + L".exe";
    fs::path program_;
    AppVersionOverride version_{programName_, L"win98"};
    // Calls are traced only where our program makes them, not between the system's libraries.
    WineSetting relayFrom_{L"Software\\Wine\\Debug", L"RelayFromInclude", programName_};
};

TEST_F(Win98Trace, HelpWindow) {
    const RecordedUrlHandlers handlers;
    ASSERT_TRUE(handlers.Active()) << "the donate address would start a real browser";
    const ScopedEnvironment traced(kTraceVariable, kTraceChannels);
    const HelpWindow help(program_);
    NameRun("help", help.Process());
    ASSERT_TRUE(help.Shown()) << "no help window";

    // A link hovered.
    ASSERT_TRUE(MovePointer(help.CentreOf(IDC_LBL_SITE)));
    // A timer tick: the donate picture changes, and with it the image's text.
    const std::wstring firstPicture = WindowText(help.Control(IDC_IMG_DONNER));
    EXPECT_TRUE(WaitUntil(kTickWaitMs, [&] {
        return WindowText(help.Control(IDC_IMG_DONNER)) != firstPicture;
    })) << "no timer tick";
    // The donate image pressed and released: its address goes to the shell.
    ASSERT_TRUE(MovePointer(help.CentreOf(IDC_IMG_DONNER)));
    PressButton(MouseButton::Left);
    Sleep(200);
    ReleaseButton(MouseButton::Left);
    EXPECT_TRUE(WaitUntil(kTimeoutMs, [&] { return !handlers.Opened().empty(); }))
        << "the donate address was not opened";
    // Closed with its OK button.
    ClickAt(help.CentreOf(IDC_BTN_OK));
    EXPECT_TRUE(help.EndsWithin(kTimeoutMs)) << "the help window stays after OK";
    ParkPointer();
}

TEST_F(Win98Trace, TitleCommand) {
    const std::wstring title = L"Trace " + UniqueTag();
    const TargetApp target(job_, TargetProgram(BinFolder()), scratch_.path(),
                           {{title, WindowPlan::Kind::Hidden}});
    ASSERT_EQ(target.failure(), L"");
    const ScopedEnvironment traced(kTraceVariable, kTraceChannels);
    const Process run = job_.Start(program_, L"/t:" + title);
    ASSERT_TRUE(run);
    NameRun("title", run);
    ASSERT_TRUE(run.WaitForEnd(kTimeoutMs));
    EXPECT_EQ(target.QuitWindows(), std::optional<std::set<size_t>>({0}));
}

TEST_F(Win98Trace, NameCommand) {
    const ScopedEnvironment traced(kTraceVariable, kTraceChannels);
    const Process run = job_.Start(program_, L"/n:absent" + UniqueTag() + L".exe");
    ASSERT_TRUE(run);
    NameRun("name", run);
    HWND box = nullptr;
    ASSERT_TRUE(WaitUntil(kTimeoutMs, [&] { return (box = DialogBoxOf(run.id())) != nullptr; }))
        << "no warning box";
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(run.WaitForEnd(kTimeoutMs)) << "the run goes on after the warning";
}

} // namespace
