#include "lookup/process_lookup.h"
#include "common/platform_calls.h"
#include "tests/support/bindings.h"
#include "tests/support/harness.h"
#include "tests/support/own_program.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

using skorvelin::FileNameOf;
using skorvelin::ListProcessIds;
using skorvelin::UniqueHandle;

std::wstring OwnExecutablePath() {
    return skorvelin::support::OwnProgramPath().wstring();
}

std::set<DWORD> AsSet(const std::vector<DWORD>& ids) {
    return std::set<DWORD>(ids.begin(), ids.end());
}

// A list that starts too small must grow until it holds every process, not stop at its room.
TEST(ListProcessIds, GrowsPastItsFirstRoom) {
    const DWORD self = GetCurrentProcessId();
    for (const size_t firstCapacity : {size_t{0}, size_t{1}, size_t{2}, size_t{7}}) {
        SCOPED_TRACE(firstCapacity);
        // Compared only against a process list that held still around the call.
        bool compared = false;
        for (int attempt = 0; attempt < 5 && !compared; ++attempt) {
            const std::set<DWORD> before = AsSet(ListProcessIds(4096));
            const std::vector<DWORD> ids = ListProcessIds(firstCapacity);
            const std::set<DWORD> after = AsSet(ListProcessIds(4096));
            if (before != after) {
                continue;
            }
            ASSERT_GT(before.size(), 2u) << "too few processes to prove growth";
            EXPECT_TRUE(before.contains(self));
            EXPECT_EQ(AsSet(ids).size(), ids.size()) << "an id listed twice";
            EXPECT_EQ(AsSet(ids), before);
            compared = true;
        }
        EXPECT_TRUE(compared) << "the process list never held still";
    }
}

TEST(FindProcessByName, ComparesTheWholeFileNameIgnoringCase) {
    const std::wstring ownPath = OwnExecutablePath();
    const std::wstring ownName = FileNameOf(ownPath);

    const DWORD found = modGeneral::FindProcessByName(L"UNIT_TESTS.EXE").id;
    ASSERT_NE(found, 0u);
    EXPECT_EQ(skorvelin::support::ExecutableNameOf(found), L"unit_tests.exe");

    EXPECT_EQ(modGeneral::FindProcessByName(ownPath).id, 0u) << "a directory part never matches";
    EXPECT_EQ(modGeneral::FindProcessByName(L"unit_tests.*").id, 0u);
    EXPECT_EQ(modGeneral::FindProcessByName(L"unit_tests.ex?").id, 0u);
    EXPECT_EQ(modGeneral::FindProcessByName(L"unit_tests").id, 0u);
    EXPECT_EQ(modGeneral::FindProcessByName(ownName + L" ").id, 0u);
    EXPECT_EQ(modGeneral::FindProcessByName(L"").id, 0u);
}

// A running process of this session whose executable is not the test program's.
DWORD SomeOtherProcess() {
    for (const DWORD id : ListProcessIds()) {
        const std::wstring name = skorvelin::support::ExecutableNameOf(id);
        if (id != GetCurrentProcessId() && !name.empty() && name != L"unit_tests.exe") {
            return id;
        }
    }
    return 0;
}

// A made-up process list: each entry stands for this test program or for another program, and
// the platform may refuse some of the rights asked for it (as it does for an elevated process,
// whose path can be read but which a normal user cannot terminate).
enum class Refused { Nothing, Terminate, Path, Everything };

struct FakeProcess {
    DWORD id;
    bool self;
    Refused refused = Refused::Nothing;
};

struct TerminableCase {
    const char* what;
    std::vector<FakeProcess> processes;
    DWORD found;
    // Each id names the other program from its second opening on, as an id does once its
    // process has ended and the system has given it to a new one.
    bool idPassesOn = false;
};

// Every request made of the platform: (id, rights asked).
struct Requests {
    std::vector<std::pair<DWORD, DWORD>> opened;
    std::vector<std::pair<DWORD, DWORD>> widened; // id 0: a handle the platform never gave
};

// The platform as the case shows it, while this lives: the process list holds the case's ids,
// and opening or widening one of them reaches this test program or the other program, unless
// refused. Every request is recorded.
class FakeProcesses {
  public:
    FakeProcesses(const TerminableCase& c, DWORD other,
                  std::vector<skorvelin::support::Replacement> system, Requests& requests)
        : case_(c), other_(other), requests_(requests), bindings_(WithFakes(std::move(system))) {
        gActive = this;
    }
    FakeProcesses(const FakeProcesses&) = delete;
    FakeProcesses& operator=(const FakeProcesses&) = delete;
    ~FakeProcesses() { gActive = nullptr; }

  private:
    static std::vector<skorvelin::support::Replacement>
    WithFakes(std::vector<skorvelin::support::Replacement> system) {
        using skorvelin::support::AsBound;
        system.push_back({"psapi.dll", "EnumProcesses", AsBound(EnumProcesses)});
        system.push_back({"kernel32.dll", "OpenProcess", AsBound(OpenProcess)});
        system.push_back({"kernel32.dll", "DuplicateHandle", AsBound(DuplicateHandle)});
        return system;
    }

    const FakeProcess* Find(DWORD id) const {
        const auto p = std::find_if(case_.processes.begin(), case_.processes.end(),
                                    [id](const FakeProcess& f) { return f.id == id; });
        return p == case_.processes.end() ? nullptr : &*p;
    }

    static BOOL WINAPI EnumProcesses(DWORD* ids, DWORD room, DWORD* bytes) {
        DWORD count = 0;
        for (const FakeProcess& p : gActive->case_.processes) {
            if (count < room / sizeof(DWORD)) {
                ids[count++] = p.id;
            }
        }
        *bytes = count * static_cast<DWORD>(sizeof(DWORD));
        return TRUE;
    }

    static HANDLE WINAPI OpenProcess(DWORD access, BOOL inherit, DWORD id) {
        FakeProcesses& self = *gActive;
        self.requests_.opened.emplace_back(id, access);
        const FakeProcess* const p = self.Find(id);
        if (!p || p->refused == Refused::Everything) {
            SetLastError(p ? ERROR_ACCESS_DENIED : ERROR_INVALID_PARAMETER);
            return nullptr;
        }
        const auto& opened = self.requests_.opened;
        const bool passedOn =
            self.case_.idPassesOn && std::count_if(opened.begin(), opened.end(),
                                                   [id](auto& o) { return o.first == id; }) > 1;
        const DWORD real = p->self && !passedOn ? GetCurrentProcessId() : self.other_;
        static auto* const open = skorvelin::support::PlatformsOwn<decltype(::OpenProcess)>(
            "kernel32.dll", "OpenProcess");
        const HANDLE process =
            open(p->refused == Refused::Path ? SYNCHRONIZE : access, inherit, real);
        self.given_[process] = id;
        return process;
    }

    static BOOL WINAPI DuplicateHandle(HANDLE sourceProcess, HANDLE source, HANDLE targetProcess,
                                       HANDLE* target, DWORD access, BOOL inherit, DWORD options) {
        FakeProcesses& self = *gActive;
        const auto given = self.given_.find(source);
        const DWORD id = given == self.given_.end() ? 0 : given->second;
        self.requests_.widened.emplace_back(id, access);
        if (id == 0 || self.Find(id)->refused == Refused::Terminate) {
            SetLastError(ERROR_ACCESS_DENIED);
            return FALSE;
        }
        static auto* const duplicate =
            skorvelin::support::PlatformsOwn<decltype(::DuplicateHandle)>("kernel32.dll",
                                                                          "DuplicateHandle");
        return duplicate(sourceProcess, source, targetProcess, target, access, inherit, options);
    }

    static inline FakeProcesses* gActive = nullptr;

    const TerminableCase& case_;
    DWORD other_;
    Requests& requests_;
    std::map<HANDLE, DWORD> given_; // handle: the made-up id it was opened for
    skorvelin::support::ReplacedBindings bindings_;
};

// Whether the made-up `id` stands for this test program (0, for no made-up process, does not).
bool IsSelf(const TerminableCase& c, DWORD id) {
    return std::any_of(c.processes.begin(), c.processes.end(),
                       [id](const FakeProcess& p) { return p.id == id && p.self; });
}

// The id of the process behind a handle that may carry no query right of its own.
DWORD IdOf(HANDLE process) {
    HANDLE query = nullptr;
    if (!DuplicateHandle(GetCurrentProcess(), process, GetCurrentProcess(), &query,
                         PROCESS_QUERY_LIMITED_INFORMATION, FALSE, 0)) {
        return 0;
    }
    const UniqueHandle owned{query};
    return GetProcessId(query);
}

TEST(FindProcessByName, TerminatesOnlyTheExaminedMatch) {
    const DWORD other = SomeOtherProcess();
    ASSERT_NE(other, 0u) << "no other process to stand for a differently named one";
    const TerminableCase cases[] = {
        {"the first of two that may be terminated", {{11, true}, {12, true}}, 11},
        {"an elevated process of that name comes first",
         {{11, true, Refused::Terminate}, {12, true}},
         12},
        {"a process that cannot be opened at all",
         {{11, true, Refused::Everything}, {12, true}},
         12},
        {"a process whose path cannot be read", {{11, true, Refused::Path}, {12, true}}, 12},
        {"other names and refused twins before the match",
         {{11, false}, {12, true, Refused::Terminate}, {13, false}, {14, true}, {15, true}},
         14},
        {"no process of that name may be terminated",
         {{11, true, Refused::Terminate}, {12, false}, {13, true, Refused::Everything}},
         0},
        {"another program that may be terminated is no match", {{11, false}}, 0},
        {"no processes", {}, 0},
        {"the id passes to another program once examined", {{11, true}}, 11, true},
    };
    // NT 4.0, 2000 and XP have no image-name query: the path comes from the module list, which
    // needs query and read access; the limited query right of later systems must not be asked.
    struct System {
        const char* what;
        std::vector<skorvelin::support::Replacement> replacements;
        DWORD queryAccess;
    };
    const System systems[] = {
        {"Vista and later", {}, PROCESS_QUERY_LIMITED_INFORMATION},
        {"NT 4.0 to XP",
         {{"kernel32.dll", "QueryFullProcessImageNameW", nullptr}},
         PROCESS_QUERY_INFORMATION | PROCESS_VM_READ},
    };
    for (const System& system : systems) {
        for (const TerminableCase& c : cases) {
            SCOPED_TRACE(c.what);
            SCOPED_TRACE(system.what);
            Requests requests;
            skorvelin::TerminableProcess found;
            {
                const FakeProcesses platform(c, other, system.replacements, requests);
                found = modGeneral::FindProcessByName(L"UNIT_TESTS.exe");
            }

            EXPECT_EQ(found.id, c.found);
            if (c.found != 0) {
                ASSERT_TRUE(found.handle);
                EXPECT_EQ(IdOf(found.handle.get()), GetCurrentProcessId())
                    << "the handle must be the examined process's";
            }
            for (const auto& [id, access] : requests.opened) {
                EXPECT_EQ(access, system.queryAccess) << "rights asked for process " << id;
            }
            // Only a process of the wanted name is ever asked for the right to terminate.
            for (const auto& [id, access] : requests.widened) {
                EXPECT_TRUE(IsSelf(c, id)) << "process " << id << " (0: a handle never given)";
                EXPECT_EQ(access, DWORD{PROCESS_TERMINATE}) << "process " << id;
            }
        }
    }
}

} // namespace
