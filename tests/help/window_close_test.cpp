// Every way of closing the help window ends the run, and nothing else does.
#include "tests/support/screen_pixels.h"
#include "tests/support/user_input.h"
#include "tests/support/window_driver.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>

namespace {

using namespace skorvelin::support;

constexpr DWORD kEndTimeoutMs = 5000;

// The title bar between the window's top edge and its client area, on the screen.
RECT TitleBarOf(HWND form) {
    RECT frame{};
    GetWindowRect(form, &frame);
    POINT client{0, 0};
    ClientToScreen(form, &client);
    return {frame.left, frame.top, frame.right, client.y};
}

// Where the window manager draws the frame, and none runs on a bare X server, nothing of the
// title bar reaches the screen: what shows there is the empty background, all of one colour.
bool TitleBarOnScreen(HWND form) {
    const ScreenImage strip(TitleBarOf(form));
    if (strip.Width() <= 0 || strip.Height() <= 0) {
        return false;
    }
    const Rgb first = strip.At(0, 0);
    for (int y = 0; y < strip.Height(); ++y) {
        for (int x = 0; x < strip.Width(); ++x) {
            const Rgb p = strip.At(x, y);
            if (p.red != first.red || p.green != first.green || p.blue != first.blue) {
                return true;
            }
        }
    }
    return false;
}

// A point of the title bar where a click closes the window, found by asking the window itself.
std::optional<POINT> CloseBoxOf(HWND form) {
    const RECT bar = TitleBarOf(form);
    for (int y = bar.top; y < bar.bottom; ++y) {
        for (int x = bar.right - 1; x > bar.left; --x) {
            DWORD_PTR hit = 0;
            SendMessageTimeoutW(form, WM_NCHITTEST, 0, MAKELPARAM(x, y), SMTO_ABORTIFHUNG, 5000,
                                &hit);
            if (hit == HTCLOSE) {
                // Well inside the box rather than on its edge.
                return POINT{x - 3, y + 3};
            }
        }
    }
    return std::nullopt;
}

// Keys reach the window with the keyboard focus, so the window must take it first.
void FocusForm(const HelpWindow& window) {
    ASSERT_TRUE(GiveKeyboardTo(window.Form()));
}

// A multi-line text box would keep Enter for itself unless the window says otherwise.
void FocusUsageText(const HelpWindow& window) {
    ASSERT_TRUE(GiveKeyboardTo(window.Form()));
    ClickAt(window.CentreOf(HelpControl::Usage));
    ASSERT_TRUE(WaitUntil(kEndTimeoutMs, [&] {
        return FocusIn(window.Form()).focus == window.Control(HelpControl::Usage);
    })) << "the usage text did not take the focus";
}

struct CloseCase {
    const char* name;
    std::function<void(const HelpWindow&)> close;
};

TEST(HelpWindowClosing, EachWayEndsTheRun) {
    const CloseCase cases[] = {
        {"click on OK", [](const HelpWindow& w) { ClickAt(w.CentreOf(HelpControl::Ok)); }},
        {"Enter",
         [](const HelpWindow& w) {
             FocusForm(w);
             TypeChord({VK_RETURN});
         }},
        {"Esc",
         [](const HelpWindow& w) {
             FocusForm(w);
             TypeChord({VK_ESCAPE});
         }},
        {"Alt+O",
         [](const HelpWindow& w) {
             FocusForm(w);
             TypeChord({VK_MENU, 'O'});
         }},
        {"Enter in the usage text",
         [](const HelpWindow& w) {
             FocusUsageText(w);
             TypeChord({VK_RETURN});
         }},
        {"Esc in the usage text",
         [](const HelpWindow& w) {
             FocusUsageText(w);
             TypeChord({VK_ESCAPE});
         }},
        // What the close box and the system menu's Close send.
        {"close command",
         [](const HelpWindow& w) { PostMessageW(w.Form(), WM_SYSCOMMAND, SC_CLOSE, 0); }},
        {"Alt+F4",
         [](const HelpWindow& w) {
             FocusForm(w);
             TypeChord({VK_MENU, VK_F4});
         }},
    };
    for (const CloseCase& c : cases) {
        SCOPED_TRACE(c.name);
        const HelpWindow window;
        ASSERT_TRUE(window.Shown()) << "Skorvelin.exe showed no window";
        c.close(window);
        if (!window.EndsWithin(kEndTimeoutMs)) {
            ADD_FAILURE() << "still running";
            continue;
        }
        EXPECT_EQ(window.Process().ExitCode(), 0u);
    }
}

TEST(HelpWindowClosing, ClickOnTheCloseBoxEndsTheRun) {
    const HelpWindow window;
    ASSERT_TRUE(window.Shown()) << "Skorvelin.exe showed no window";
    const std::optional<POINT> box = CloseBoxOf(window.Form());
    ASSERT_TRUE(box) << "no close box in the title bar";
    // The test set-up (tools/env.sh) has Wine draw the frames; a title bar left to a window
    // manager, which none runs here, means that set-up was not done.
    ASSERT_TRUE(TitleBarOnScreen(window.Form()))
        << "the title bar is left to a window manager: the Wine prefix lacks Managed=N";
    ClickAt(*box);
    ASSERT_TRUE(window.EndsWithin(kEndTimeoutMs)) << "still running";
    EXPECT_EQ(window.Process().ExitCode(), 0u);
}

TEST(HelpWindowClosing, OtherKeysAndClicksLeaveItOpen) {
    const HelpWindow window;
    ASSERT_TRUE(window.Shown()) << "Skorvelin.exe showed no window";
    FocusUsageText(window);
    const std::wstring before = WindowText(window.Control(HelpControl::Usage));
    TypeChord({'X'});
    TypeChord({VK_DELETE});
    TypeChord({VK_BACK});
    ClickAt(window.CentreOf(HelpControl::Icon));
    EXPECT_FALSE(window.EndsWithin(kSteadyMs));
    EXPECT_EQ(WindowText(window.Control(HelpControl::Usage)), before) << "the text is read-only";
}

} // namespace
