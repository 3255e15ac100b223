// Runs the paths of Skorvelin.exe with Wine's call trace on, as the NT family and in Wine's
// Windows 98 mode, for call_trace.py to read: the trace of each run goes to this program's
// standard error, where the script collects it, after a line
//     @@ <mode> <path> pid <hex> [<name>=<hex>...]
// that names the run's process and the handles and ids the script must find in its calls.
#include "tests/support/harness.h"
#include "tests/support/target.h"
#include "tests/support/url_handlers.h"
#include "tests/support/user_input.h"
#include "tests/support/window_driver.h"
#include "tests/support/wine_settings.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <optional>
#include <memory>
#include <string>

namespace {

namespace fs = std::filesystem;
using namespace skorvelin::support;

constexpr DWORD kTimeoutMs = 30000;
// Once the run has ended, long enough for a process it terminated to have ended too, were it
// terminated.
constexpr DWORD kGraceMs = 1000;
// Wine's call trace, with each line headed by its process id. Only programs started while it is
// set are traced.
constexpr wchar_t kTraceVariable[] = L"WINEDEBUG";
constexpr wchar_t kTraceChannels[] = L"+pid,+relay";
// The help window's run also tells each font made, with the fields no pixel shows.
constexpr wchar_t kTraceChannelsWithFonts[] = L"+pid,+relay,+font";

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

std::string Hex(unsigned long long value) {
    char text[32];
    std::snprintf(text, sizeof text, "%08llx", value);
    return text;
}

std::string Hex(HWND window) {
    return Hex(reinterpret_cast<ULONG_PTR>(window));
}

// The mode is the test's parameter: "nt", the test machine's own family, or "98".
class CallTrace : public testing::TestWithParam<const char*> {
  protected:
    void SetUp() override {
        program_ = CopyProgram(SkorvelinProgram(), scratch_.path(), programName_);
        if (Mode() == "98") {
            version_ = std::make_unique<AppVersionOverride>(programName_, L"win98");
            ASSERT_TRUE(version_->set()) << "cannot write the Wine version override";
        }
        ASSERT_TRUE(relayFrom_.set() && relayFromAll_.set())
            << "cannot write the trace's module filter";
    }

    std::string Mode() const { return GetParam(); }

    void NameRun(const char* path, const Process& run, const std::string& handles = "") const {
        std::fprintf(stderr, "@@ %s %s pid %s%s\n", Mode().c_str(), path, Hex(run.id()).c_str(),
                     handles.c_str());
        std::fflush(stderr);
    }

    ScratchFolder scratch_;
    Job job_;
    const std::wstring programName_ = L"skvtrace" + UniqueTag() + L".exe";
    fs::path program_;
    std::unique_ptr<AppVersionOverride> version_;
    // Calls are traced only where our program makes them, not between the system's libraries.
    // Wine ignores the modules to trace from while modules not to trace from are named, as a new
    // prefix names them; the trace then holds hundreds of times as many calls.
    WineSetting relayFrom_{L"Software\\Wine\\Debug", L"RelayFromInclude", programName_};
    WineSetting relayFromAll_{L"Software\\Wine\\Debug", L"RelayFromExclude", NoRegistryValue{}};
};

TEST_P(CallTrace, HelpWindow) {
    const RecordedUrlHandlers handlers;
    ASSERT_TRUE(handlers.Active()) << "the addresses would start a real browser";
    const ScopedEnvironment traced(kTraceVariable, kTraceChannelsWithFonts);
    // At 168 dots per inch the icon picture is drawn stretched, each family in its own way, and
    // a font of 8.25 points is one pixel shorter than one of 8.4 (19 against 20 pixels).
    std::optional<ScreenDpiSetting> dpi(std::in_place, 168u);
    ASSERT_TRUE(dpi->set()) << "cannot write the screen's dots per inch";
    const HelpWindow help(program_);
    dpi.reset();
    ASSERT_TRUE(help.Shown()) << "no help window";
    NameRun("help", help.Process(), " form=" + Hex(help.Form()));

    // The three links, in this order: the web address, the e-mail address, the donate image.
    for (const HelpControl link : {HelpControl::Site, HelpControl::Email, HelpControl::Donate}) {
        const size_t opened = handlers.Opened().size();
        ClickAt(help.CentreOf(link));
        EXPECT_TRUE(WaitUntil(kTimeoutMs, [&] { return handlers.Opened().size() > opened; }))
            << "control " << link << " opened nothing";
    }
    // What the close box sends.
    PostMessageW(help.Form(), WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(help.EndsWithin(kTimeoutMs)) << "the help window stays after its close box";
    ParkPointer();
}

TEST_P(CallTrace, TitleCommand) {
    const std::wstring title = L"Trace " + UniqueTag();
    const TargetApp target(job_, TargetProgram(BinFolder()), scratch_.path(),
                           {{title, WindowPlan::Kind::Hidden}});
    ASSERT_EQ(target.failure(), L"");
    const ScopedEnvironment traced(kTraceVariable, kTraceChannels);
    const Process run = job_.Start(program_, L"/t:" + title);
    ASSERT_TRUE(run);
    NameRun("title", run, " window=" + Hex(target.window(0)));
    ASSERT_TRUE(run.WaitForEnd(kTimeoutMs));
    EXPECT_EQ(target.QuitWindows(), std::optional<std::set<size_t>>({0}));
}

TEST_P(CallTrace, NameCommand) {
    const std::wstring name = L"skvvictim" + UniqueTag() + L".exe";
    const TargetApp victim(job_, CopyProgram(TargetProgram(BinFolder()), scratch_.path(), name),
                           scratch_.path(), {});
    ASSERT_EQ(victim.failure(), L"");
    const ScopedEnvironment traced(kTraceVariable, kTraceChannels);
    const Process run = job_.Start(program_, L"/n:" + name);
    ASSERT_TRUE(run);
    NameRun("name", run, " target=" + Hex(victim.process().id()));
    if (Mode() == "98") {
        HWND box = nullptr;
        ASSERT_TRUE(WaitUntil(kTimeoutMs, [&] { return (box = DialogBoxOf(run.id())) != nullptr; }))
            << "no warning box";
        PostMessageW(box, WM_COMMAND, IDOK, 0);
    }
    EXPECT_TRUE(run.WaitForEnd(kTimeoutMs)) << "the run goes on";
    // Terminated as the NT family; in 98 mode, still running a grace period after the run.
    EXPECT_EQ(victim.process().WaitForEnd(Mode() == "nt" ? kTimeoutMs : kGraceMs), Mode() == "nt");
}

INSTANTIATE_TEST_SUITE_P(Modes, CallTrace, testing::Values("nt", "98"),
                         [](const testing::TestParamInfo<const char*>& mode) {
                             return std::string("mode_") + mode.param;
                         });

} // namespace
