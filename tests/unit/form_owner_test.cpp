// Who keeps whom between a form and the controls and timers placed on it: either side may go
// first, and a window leads back to its control only when it really is one.
#include "forms/controls.h"
#include "forms/form.h"
#include "forms/membership.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace {

using namespace skorvelin;

struct Owner {};
struct Member {};
using TestRoster = Roster<Owner, Member>;

std::vector<Member*> Present(const TestRoster& roster) {
    std::vector<Member*> present;
    roster.ForEach([&present](Member& member) { present.push_back(&member); });
    return present;
}

TEST(Roster, EitherSideMayGoFirstAndNumbersAreNeverReused) {
    Owner owner;
    Member a, b, c;
    std::optional<TestRoster> roster(std::in_place, owner);
    TestRoster::Token ta = roster->Add(a);
    std::optional<TestRoster::Token> tb = roster->Add(b);
    EXPECT_EQ(ta.owner(), &owner);
    EXPECT_EQ(ta.Number(), 1u);
    EXPECT_EQ(tb->Number(), 2u);
    EXPECT_EQ(roster->Find(2), &b);
    EXPECT_EQ(roster->Find(0), nullptr);
    EXPECT_EQ(roster->Find(3), nullptr);

    // The member goes first: its slot is emptied and kept.
    tb.reset();
    EXPECT_EQ(roster->Find(2), nullptr);
    EXPECT_EQ(Present(*roster), std::vector<Member*>{&a});
    const TestRoster::Token tc = roster->Add(c);
    EXPECT_EQ(tc.Number(), 3u);

    // A token moved on keeps the slot; the emptied one leaves nothing behind when it goes.
    {
        TestRoster::Token moved = std::move(ta);
        EXPECT_EQ(moved.Number(), 1u);
        EXPECT_EQ(roster->Find(1), &a);
        ta = TestRoster::Token{};
        EXPECT_EQ(roster->Find(1), &a);
    }
    EXPECT_EQ(roster->Find(1), nullptr);

    // Taking a new token gives up the old slot.
    ta = roster->Add(a);
    ta = roster->Add(a);
    EXPECT_EQ(roster->Find(4), nullptr);
    EXPECT_EQ(roster->Find(5), &a);

    // The roster goes first: the tokens it gave have no owner, and may still go safely.
    roster.reset();
    EXPECT_EQ(ta.owner(), nullptr);
    EXPECT_EQ(tc.owner(), nullptr);
}

void Pump() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        DispatchMessageW(&message);
    }
}

TEST(FormOwnership, ControlsAndTimersOutliveTheirFormAndJoinAnother) {
    Label label;
    label.SetCaption(L"kept");
    Timer timer;
    timer.SetInterval(10);
    int ticks = 0;
    timer.Tick = [&ticks] { ++ticks; };
    {
        Form first;
        ASSERT_TRUE(first.Create(L"first", 6000, 4000));
        ASSERT_TRUE(label.Load(first, 7));
        first.Register(timer);
        EXPECT_EQ(timer.Owner(), &first);
    }
    EXPECT_EQ(label.hWnd(), nullptr);
    EXPECT_EQ(timer.Owner(), nullptr);
    // Without a form, changes are only kept.
    label.SetFontUnderline(true);
    label.Move(120, 120);
    timer.SetInterval(5);

    Form second;
    ASSERT_TRUE(second.Create(L"second", 6000, 4000));
    ASSERT_TRUE(label.Load(second, 7));
    EXPECT_EQ(GetParent(label.hWnd()), second.hWnd());
    EXPECT_NE(SendMessageW(label.hWnd(), WM_GETFONT, 0, 0), 0);
    second.Register(timer);
    const DWORD deadline = GetTickCount() + 2000;
    while (ticks < 2 && GetTickCount() < deadline) {
        Pump();
        Sleep(5);
    }
    EXPECT_GE(ticks, 2);
}

TEST(FormOwnership, AWindowLeadsToItsControlOnlyWhenItIsOne) {
    Form form;
    ASSERT_TRUE(form.Create(L"test", 6000, 4000));
    Label label;
    ASSERT_TRUE(label.Load(form, 8));
    // A foreign child that keeps a pointer to the label in the same place must not pass for it.
    const HWND foreign = CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 10, 10, form.hWnd(),
                                         nullptr, nullptr, nullptr);
    ASSERT_NE(foreign, nullptr);
    SetWindowLongPtrW(foreign, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&label));

    struct Case {
        const char* name;
        HWND window;
        Control* control;
    };
    const std::vector<Case> cases = {
        {"the control's window", label.hWnd(), &label},
        {"a foreign child", foreign, nullptr},
        {"the form", form.hWnd(), nullptr},
        {"no window", nullptr, nullptr},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Control::FromWindow(c.window), c.control) << c.name;
    }
}

TEST(FormOwnership, EscPressesNothingOnceTheCancelButtonIsGone) {
    Form form;
    ASSERT_TRUE(form.Create(L"test", 6000, 4000));
    int cancelled = 0;
    {
        CommandButton cancel;
        cancel.SetCancel(true);
        cancel.Click = [&cancelled] { ++cancelled; };
        ASSERT_TRUE(cancel.Load(form, 40));
        SendMessageW(form.hWnd(), WM_COMMAND, MAKEWPARAM(IDCANCEL, 0), 0);
        EXPECT_EQ(cancelled, 1);
    }
    // Another control under the same identifier is no cancel button.
    CommandButton other;
    int clicks = 0;
    other.Click = [&clicks] { ++clicks; };
    ASSERT_TRUE(other.Load(form, 40));
    SendMessageW(form.hWnd(), WM_COMMAND, MAKEWPARAM(IDCANCEL, 0), 0);
    EXPECT_EQ(cancelled, 1);
    EXPECT_EQ(clicks, 0);
}

} // namespace
