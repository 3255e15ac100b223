#include "lookup/process_lookup.h"
#include "common/platform_calls.h"
#include "tests/support/own_program.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <optional>
#include <set>
#include <string>
#include <vector>

namespace {

using skorvelin::ExecutablePath;
using skorvelin::FileNameOf;
using skorvelin::ListProcessIds;

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

} // namespace
