// The lookups run a thousand times in this process and leave no handle open behind them.
#include "lookup/process_lookup.h"
#include "lookup/window_lookup.h"
#include "tests/support/harness.h"
#include "tests/support/target.h"

#include <gtest/gtest.h>

namespace {

using namespace skorvelin::support;

using skorvelin::UniqueHandle;

constexpr int kRounds = 1000;
// Room for handles that the platform opens once and keeps, far below one per lookup.
constexpr uintptr_t kSlackHandles = 16;
constexpr uintptr_t kHandleStep = 4;

// The value of a handle made now. The handle count is no witness here (Wine answers 0 for it),
// but handle values are: the table hands out its lowest free slot first, so with every handle
// closed again the value stays put, and each handle left open pushes it up by one step.
uintptr_t FreshHandleValue() {
    const UniqueHandle event{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    return reinterpret_cast<uintptr_t>(event.get());
}

TEST(LookupHandles, AThousandLookupsLeaveNoHandleOpen) {
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

    const uintptr_t before = FreshHandleValue();
    int wrongAnswers = 0;
    for (int i = 0; i < kRounds; ++i) {
        wrongAnswers += modGeneral::FindProcessByName(present).id != presentId;
        wrongAnswers += modGeneral::FindProcessByName(absent).id != 0;
        wrongAnswers += modGeneral::FindWindowByTitle(Lowered(title)) != window;
    }
    const uintptr_t after = FreshHandleValue();

    EXPECT_EQ(wrongAnswers, 0);
    EXPECT_LE(after, before + kSlackHandles * kHandleStep)
        << "a fresh handle's value climbed from " << before << " to " << after;
}

} // namespace
