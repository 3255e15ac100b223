// "/n:" against real processes: exactly the designated process is terminated, with exit code 0,
// and every other process goes on running.
#include "app/dispatch.h"
#include "tests/support/bindings.h"
#include "tests/support/harness.h"
#include "tests/support/target.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <memory>
#include <thread>

namespace {

using namespace skorvelin::support;

namespace fs = std::filesystem;

// Long enough for a terminated process to have ended, were it to be terminated.
constexpr DWORD kGraceMs = 1000;
constexpr DWORD kEndTimeoutMs = 10000;

// Copies of the stand-in application running under the given file names, started in order.
class Victims {
  public:
    Victims(Job& job, const fs::path& folder, const std::vector<std::wstring>& names) {
        for (const std::wstring& name : names) {
            const fs::path copy = folder / name;
            if (!fs::exists(copy)) {
                CopyProgram(TargetProgram(BinFolder()), folder, name);
            }
            apps_.push_back(
                std::make_unique<TargetApp>(job, copy, folder, std::vector<WindowPlan>{}));
            if (!apps_.back()->failure().empty()) {
                failure_ = name + L": " + apps_.back()->failure();
            }
        }
    }
    const std::wstring& failure() const { return failure_; }
    const Process& operator[](size_t index) const { return apps_.at(index)->process(); }
    size_t size() const { return apps_.size(); }

  private:
    std::vector<std::unique_ptr<TargetApp>> apps_;
    std::wstring failure_;
};

// Checks that exactly `killed` was terminated, with exit code 0, and that the others run on.
void ExpectOnlyTerminated(const Victims& victims, std::optional<size_t> killed) {
    if (killed) {
        ASSERT_TRUE(victims[*killed].WaitForEnd(kEndTimeoutMs)) << "process " << *killed;
        EXPECT_EQ(victims[*killed].ExitCode(), std::optional<DWORD>(0));
    } else {
        Sleep(kGraceMs);
    }
    for (size_t i = 0; i < victims.size(); ++i) {
        if (!killed || i != *killed) {
            EXPECT_TRUE(victims[i].Running()) << "process " << i;
        }
    }
}

struct NameCase {
    const char* what;
    std::wstring arguments;
    std::optional<size_t> killed;
};

// In `arguments`, % stands for the folder that the victims run from.
std::wstring InFolder(std::wstring arguments, const fs::path& folder) {
    if (const size_t at = arguments.find(L'%'); at != std::wstring::npos) {
        arguments.replace(at, 1, folder.wstring());
    }
    return arguments;
}

TEST(NameCommand, TerminatesExactlyTheDesignatedProcess) {
    const std::wstring base = L"victim" + UniqueTag();
    // The command line reaches the lookup in lower case, so only a file name with capitals
    // shows that the comparison ignores case. The decoys start first, so a lookup that wrongly
    // took one would meet it first.
    const std::vector<std::wstring> names = {
        L"Victim" + UniqueTag() + L"2.exe", L"Victim" + UniqueTag() + L".ex",
        L"Victim" + UniqueTag() + L".Exe", L"Stra\u00dfe" + UniqueTag() + L".exe"};
    std::wstring upperName = base + L".exe";
    CharUpperBuffW(upperName.data(), static_cast<DWORD>(upperName.size()));

    const NameCase cases[] = {
        {"the name in capitals", L"/n:" + upperName, 2},
        {"command in capitals, blanks around it", L"  /N:" + base + L".exe  ", 2},
        {"a name with a folder never matches", L"/n:%\\" + base + L".exe", std::nullopt},
        {"a name with a bare backslash never matches", L"/n:\\" + base + L".exe", std::nullopt},
        {"wildcards are plain characters in a name", L"/n:" + base + L"*.exe", std::nullopt},
        {"a name without its extension", L"/n:" + base, std::nullopt},
        {"no such process", L"/n:" + base + L"3.exe", std::nullopt},
        {"an empty name", L"/n:", std::nullopt},
        // Names compare as the file system compares them, not as the user's locale reads them.
        {"a letter beyond ASCII, the rest in capitals", L"/n:STRA\u00dfE" + UniqueTag() + L".EXE",
         3},
        {"\u00df is not ss", L"/n:strasse" + UniqueTag() + L".exe", std::nullopt},
        {"a soft hyphen is a character", L"/n:vic\u00adtim" + UniqueTag() + L".exe", std::nullopt},
    };
    // The commands that terminate a process each meet victims of their own, before any other
    // copy runs: the first listed of a name is the one that a command ends.
    for (const NameCase& c : cases) {
        if (!c.killed) {
            continue;
        }
        SCOPED_TRACE(c.what);
        ScratchFolder scratch;
        Job job;
        const Victims victims(job, scratch.path(), names);
        ASSERT_EQ(victims.failure(), L"");

        EXPECT_EQ(RunToEnd(job, SkorvelinProgram(), InFolder(c.arguments, scratch.path())),
                  std::optional<DWORD>(0));

        ExpectOnlyTerminated(victims, c.killed);
    }
    // The commands that terminate nothing all run against one set of victims, which must outlive
    // every one of them: one grace period at the end serves them all.
    ScratchFolder spareFolder;
    Job spareJob;
    const Victims spared(spareJob, spareFolder.path(), names);
    ASSERT_EQ(spared.failure(), L"");
    for (const NameCase& c : cases) {
        if (c.killed) {
            continue;
        }
        SCOPED_TRACE(c.what);
        EXPECT_EQ(RunToEnd(spareJob, SkorvelinProgram(), InFolder(c.arguments, spareFolder.path())),
                  std::optional<DWORD>(0));
        // A process terminated by mistake has mostly ended by now: the command is named.
        for (size_t i = 0; i < spared.size(); ++i) {
            EXPECT_FALSE(spared[i].WaitForEnd(0)) << "process " << i;
        }
    }
    SCOPED_TRACE("after every command that names no running process");
    ExpectOnlyTerminated(spared, std::nullopt);
}

TEST(NameCommand, OfTwoInstancesOnlyTheFirstListedIsTerminated) {
    const std::wstring name = L"twin" + UniqueTag() + L".exe";
    ScratchFolder scratch;
    Job job;
    const Victims victims(job, scratch.path(), {name, name});
    ASSERT_EQ(victims.failure(), L"");
    const std::vector<DWORD> ids = ProcessIds();
    const auto position = [&](size_t i) {
        return std::find(ids.begin(), ids.end(), victims[i].id());
    };
    ASSERT_NE(position(0), ids.end());
    ASSERT_NE(position(1), ids.end());
    const size_t first = position(0) < position(1) ? 0 : 1;

    EXPECT_EQ(RunToEnd(job, SkorvelinProgram(), L"/n:" + name), std::optional<DWORD>(0));

    ExpectOnlyTerminated(victims, first);
}

// The platform check and the systems that Wine never is, through the command's own code in this
// process: the version query stands in for each platform, and for a failure; NT 4.0, 2000 and XP
// also lack the image-name query. Only the NT family looks processes up; every other answer shows
// the warning, exactly worded, and leaves the process alone.
TEST(NameCommand, LooksUpOnTheNtFamilyOnlyAndWarnsElsewhere) {
    constexpr wchar_t kWarning[] =
        L"Cette fontionnalit\u00e9 n'est pas disponible sous Win9x/WinME...";
    struct Case {
        const char* what;
        std::vector<Replacement> system;
        bool terminates;
    };
    const auto platform = [](FARPROC query) {
        return Replacement{nullptr, "GetVersionExA", query};
    };
    const Case cases[] = {
        {"platform id 2", {platform(AsBound(ReportsPlatform<2>))}, true},
        {"platform id 2 without the image-name query",
         {platform(AsBound(ReportsPlatform<2>)),
          {"kernel32.dll", "QueryFullProcessImageNameW", nullptr}},
         true},
        {"platform id 1", {platform(AsBound(ReportsPlatform<1>))}, false},
        {"platform id 0", {platform(AsBound(ReportsPlatform<0>))}, false},
        {"the version query fails", {platform(AsBound(VersionQueryFails))}, false},
    };
    // The platforms that only warn all name one process, which must outlive every warning: one
    // grace period at the end serves them all. It has a name of its own, which no platform that
    // terminates names.
    const std::wstring sparedName = L"spared" + UniqueTag() + L".exe";
    ScratchFolder spareFolder;
    Job spareJob;
    const Victims spared(spareJob, spareFolder.path(), {sparedName});
    ASSERT_EQ(spared.failure(), L"");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        // A process of its own for each platform that terminates, which ends it.
        const std::wstring name = c.terminates ? L"family" + UniqueTag() + L".exe" : sparedName;
        std::optional<ScratchFolder> scratch;
        std::optional<Job> job;
        std::optional<Victims> own;
        if (c.terminates) {
            scratch.emplace();
            job.emplace();
            own.emplace(*job, scratch->path(), std::vector<std::wstring>{name});
            ASSERT_EQ(own->failure(), L"");
        }
        const Victims& victims = c.terminates ? *own : spared;
        const ReplacedBindings standIn(c.system);

        // The warning box is modal on this thread: another one reads and dismisses it.
        std::atomic<bool> done{false};
        std::wstring title;
        std::wstring text;
        std::thread reader([&] {
            HWND box = nullptr;
            WaitUntil(30000, [&] {
                return done || (box = DialogBoxOf(GetCurrentProcessId())) != nullptr;
            });
            if (box) {
                // Until the box's own loop first takes a message, the thread counts as hung
                // for a while and the box does not answer.
                WaitUntil(10000, [&] { return (title = WindowText(box)) != L"<no answer>"; });
                text = WindowText(GetDlgItem(box, 0xFFFF));
                PostMessageW(box, WM_COMMAND, IDOK, 0);
            }
        });
        skorvelin::RunCommand({skorvelin::Command::Method::ByName, name});
        done = true;
        reader.join();

        if (c.terminates) {
            EXPECT_EQ(title, L"");
            ExpectOnlyTerminated(victims, 0);
        } else {
            EXPECT_EQ(title, L"Attention");
            EXPECT_EQ(text, kWarning);
            // A process terminated by mistake has mostly ended by now: the platform is named.
            EXPECT_FALSE(victims[0].WaitForEnd(0));
        }
    }
    SCOPED_TRACE("after every platform that only warns");
    ExpectOnlyTerminated(spared, std::nullopt);
}

} // namespace
