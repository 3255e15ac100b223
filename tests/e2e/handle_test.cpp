// The lookups run two hundred times in this process and leave no handle open behind them.
#include "lookup/process_lookup.h"
#include "lookup/window_lookup.h"
#include "tests/support/harness.h"
#include "tests/support/target.h"

#include <gtest/gtest.h>

namespace {

using namespace skorvelin::support;

// Six hundred lookups: a handle left open by one lookup in thirty still shows.
constexpr int kRounds = 200;
// Room for handles that the platform opens once and keeps, far below one per lookup.
constexpr size_t kSlackHandles = 16;

// How many handles this process holds. The platform's count is no witness here (Wine answers 0
// for it), and neither is the value of a fresh handle: a handle left open while the lookup holds
// another sits above the slot that the other frees again. Every value in the low range is asked
// after instead; a run's handles lie there, the leaked ones of six hundred lookups included.
size_t OpenHandles() {
    size_t count = 0;
    DWORD flags = 0;
    for (uintptr_t value = 4; value < 0x4000; value += 4) {
        count += GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags) != FALSE;
    }
    return count;
}

TEST(LookupHandles, RepeatedLookupsLeaveNoHandleOpen) {
    const std::wstring tag = UniqueTag();
    const std::wstring present = L"present" + tag + L".exe";
    const std::wstring absent = L"absent" + tag + L".exe";
    const std::wstring title = L"Lookup " + tag;
    ScratchFolder scratch;
    Job job;
    const TargetApp target(job, CopyProgram(TargetProgram(BinFolder()), scratch.path(), present),
                           scratch.path(), {{title, WindowPlan::Kind::Hidden}});
    ASSERT_EQ(target.failure(), L"");
    const DWORD presentId = target.process().id();
    const HWND window = target.window(0);

    // The first calls bind the platform functions; what they load stays for the whole run.
    ASSERT_EQ(modGeneral::FindProcessByName(present).id, presentId);
    ASSERT_EQ(modGeneral::FindProcessByName(absent).id, 0u);
    ASSERT_EQ(modGeneral::FindWindowByTitle(Lowered(title)), window);

    const size_t before = OpenHandles();
    int wrongAnswers = 0;
    for (int i = 0; i < kRounds; ++i) {
        wrongAnswers += modGeneral::FindProcessByName(present).id != presentId;
        wrongAnswers += modGeneral::FindProcessByName(absent).id != 0;
        wrongAnswers += modGeneral::FindWindowByTitle(Lowered(title)) != window;
    }
    const size_t after = OpenHandles();

    EXPECT_EQ(wrongAnswers, 0);
    EXPECT_LE(after, before + kSlackHandles)
        << "open handles: " << before << " before, " << after << " after";
}

} // namespace
