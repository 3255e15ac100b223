#include "lookup/process_lookup.h"
#include "common/platform_calls.h"
#include "tests/support/bindings.h"
#include "tests/support/own_program.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace {

using skorvelin::ExecutablePath;
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

TEST(ExecutablePath, OfThisProcess) {
    const std::optional<std::wstring> path = ExecutablePath(GetCurrentProcessId());
    ASSERT_TRUE(path);
    const std::wstring ownName = skorvelin::LowerCase(FileNameOf(OwnExecutablePath()));
    EXPECT_EQ(ownName, L"unit_tests.exe");
    EXPECT_EQ(skorvelin::LowerCase(FileNameOf(*path)), ownName) << testing::PrintToString(*path);
    EXPECT_FALSE(ExecutablePath(0)) << "the idle process cannot be queried";
}

TEST(FindProcessByName, ComparesTheWholeFileNameIgnoringCase) {
    const std::wstring ownPath = OwnExecutablePath();
    const std::wstring ownName = FileNameOf(ownPath);

    const DWORD found = modGeneral::FindProcessByName(L"UNIT_TESTS.EXE");
    ASSERT_NE(found, 0u);
    const std::optional<std::wstring> foundPath = ExecutablePath(found);
    ASSERT_TRUE(foundPath);
    EXPECT_EQ(skorvelin::LowerCase(FileNameOf(*foundPath)), L"unit_tests.exe");

    EXPECT_EQ(modGeneral::FindProcessByName(ownPath), 0u) << "a directory part never matches";
    EXPECT_EQ(modGeneral::FindProcessByName(L"unit_tests.*"), 0u);
    EXPECT_EQ(modGeneral::FindProcessByName(L"unit_tests.ex?"), 0u);
    EXPECT_EQ(modGeneral::FindProcessByName(L"unit_tests"), 0u);
    EXPECT_EQ(modGeneral::FindProcessByName(ownName + L" "), 0u);
    EXPECT_EQ(modGeneral::FindProcessByName(L""), 0u);
}

// A running process of this session whose executable is not the test program's.
DWORD SomeOtherProcess() {
    for (const DWORD id : ListProcessIds()) {
        const std::optional<std::wstring> path = ExecutablePath(id);
        if (id != GetCurrentProcessId() && path &&
            skorvelin::LowerCase(FileNameOf(*path)) != L"unit_tests.exe") {
            return id;
        }
    }
    return 0;
}

// A made-up process list: each entry stands for this test program or for another program, and
// the platform may refuse some of the rights asked for it (as it does for an elevated process,
// whose path can be read but which a normal user cannot terminate).
enum class Refused { Nothing, Terminate, Query, Everything };

struct FakeProcess {
    DWORD id;
    bool self;
    Refused refused = Refused::Nothing;
};

struct TerminableCase {
    const char* what;
    std::vector<FakeProcess> processes;
    DWORD found;
};

TEST(FirstTerminableProcessNamed, PassesOverProcessesItMayNotTerminate) {
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
        {"a process whose path cannot be read", {{11, true, Refused::Query}, {12, true}}, 12},
        {"other names and refused twins before the match",
         {{11, false}, {12, true, Refused::Terminate}, {13, false}, {14, true}, {15, true}},
         14},
        {"no process of that name may be terminated",
         {{11, true, Refused::Terminate}, {12, false}, {13, true, Refused::Everything}},
         0},
        {"another program that may be terminated is no match", {{11, false}}, 0},
        {"no processes", {}, 0},
    };
    // NT 4.0, 2000 and XP have no image-name query: the path comes from the module list, which
    // needs query and read access; the limited query right of later systems must not be asked.
    struct System {
        const char* what;
        std::vector<skorvelin::support::Replacement> replacements;
        DWORD access;
    };
    const System systems[] = {
        {"Vista and later", {}, PROCESS_QUERY_LIMITED_INFORMATION | PROCESS_TERMINATE},
        {"NT 4.0 to XP",
         {{"kernel32.dll", "QueryFullProcessImageNameW", nullptr}},
         PROCESS_QUERY_INFORMATION | PROCESS_VM_READ | PROCESS_TERMINATE},
    };
    for (const System& system : systems) {
        for (const TerminableCase& c : cases) {
            SCOPED_TRACE(c.what);
            SCOPED_TRACE(system.what);
            const skorvelin::support::ReplacedBindings standIn(system.replacements);
            std::vector<DWORD> ids;
            for (const FakeProcess& p : c.processes) {
                ids.push_back(p.id);
            }
            const auto open = [&](DWORD id, DWORD access) {
                EXPECT_EQ(access, system.access) << "rights asked for process " << id;
                const auto p = std::find_if(c.processes.begin(), c.processes.end(),
                                            [id](const FakeProcess& f) { return f.id == id; });
                const bool refused =
                    p == c.processes.end() || p->refused == Refused::Everything ||
                    (p->refused == Refused::Terminate && (access & PROCESS_TERMINATE)) ||
                    (p->refused == Refused::Query && (access & ~DWORD{PROCESS_TERMINATE}));
                if (refused) {
                    return UniqueHandle{};
                }
                return UniqueHandle{
                    OpenProcess(access, FALSE, p->self ? GetCurrentProcessId() : other)};
            };

            EXPECT_EQ(skorvelin::FirstTerminableProcessNamed(L"UNIT_TESTS.exe", ids, open),
                      c.found);
        }
    }
}

} // namespace
