// What the help window asks the shell to open, recorded by a stand-in browser, and the donate
// image's pressed look. Every test here runs with the recorder in place, so that a stray click
// opens nothing real.
#include "tests/support/screen_pixels.h"
#include "tests/support/url_handlers.h"
#include "tests/support/user_input.h"
#include "tests/support/window_driver.h"
#include "tests/support/plain_texts.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using namespace skorvelin::support;

constexpr DWORD kOpenTimeoutMs = 10000;
// A double-click's second request would start a second recorder right after the first; on a
// busy machine a recorder may take a while to start.
constexpr DWORD kSecondRequestMs = 3000;

class RecordedShell : public testing::Test {
  protected:
    static void SetUpTestSuite() { handlers_ = std::make_unique<RecordedUrlHandlers>(); }
    static void TearDownTestSuite() { handlers_.reset(); }
    void SetUp() override {
        ASSERT_TRUE(handlers_->Active()) << "could not register the recording URL handlers";
        handlers_->Clear();
        ASSERT_TRUE(window_.Shown()) << "Skorvelin.exe showed no window";
    }

    // The one address opened after an action; fails on none or several, counting those that
    // arrive within `steadyMs` of the first.
    testing::AssertionResult OpenedOnly(const std::wstring& expected,
                                        DWORD steadyMs = kSteadyMs) const {
        if (!WaitUntil(kOpenTimeoutMs, [&] { return !handlers_->Opened().empty(); })) {
            return testing::AssertionFailure() << "nothing was opened";
        }
        Sleep(steadyMs);
        const std::vector<std::wstring> opened = handlers_->Opened();
        if (opened != std::vector<std::wstring>{expected}) {
            return testing::AssertionFailure() << "opened " << testing::PrintToString(opened)
                                               << ", expected " << testing::PrintToString(expected);
        }
        return testing::AssertionSuccess();
    }

    static void WaitForLook(HWND label, const LinkLook& look) {
        WaitUntil(kRepaintTimeoutMs, [&] { return ReadLinkLook(label) == look; });
    }

    static std::unique_ptr<RecordedUrlHandlers> handlers_;
    HelpWindow window_;
};

std::unique_ptr<RecordedUrlHandlers> RecordedShell::handlers_;

struct LinkClickCase {
    const char* name;
    HelpControl clicked;
    HelpControl other;
    std::wstring opens;
};

TEST_F(RecordedShell, ClickingALinkOpensItAndLeavesBothLinksNormal) {
    const LinkClickCase cases[] = {
        {"web address", HelpControl::Site, HelpControl::Email, std::wstring(kWebAddress)},
        {"e-mail address", HelpControl::Email, HelpControl::Site,
         std::wstring(L"mailto:") + kEmailAddress},
    };
    for (const LinkClickCase& c : cases) {
        SCOPED_TRACE(c.name);
        handlers_->Clear();
        const HWND clicked = window_.Control(c.clicked);
        const HWND other = window_.Control(c.other);
        const POINT on = window_.CentreOf(c.clicked);
        ASSERT_TRUE(MovePointer(on));
        WaitForLook(clicked, kHighlightedLink);
        ASSERT_EQ(ReadLinkLook(clicked), kHighlightedLink) << "before the click";

        PressButton(MouseButton::Left);
        ReleaseButton(MouseButton::Left);
        EXPECT_TRUE(OpenedOnly(c.opens));
        WaitForLook(clicked, kNormalLink);
        EXPECT_EQ(ReadLinkLook(clicked), kNormalLink) << "with the pointer still on it";
        EXPECT_EQ(ReadLinkLook(other), kNormalLink);
        // The system reports a move where the pointer stands still when a window lets it go: the
        // label must not take that for one.
        POINT still = on;
        ScreenToClient(clicked, &still);
        PostMessageW(clicked, WM_MOUSEMOVE, 0, MAKELPARAM(still.x, still.y));
        Sleep(kSteadyMs);
        EXPECT_EQ(ReadLinkLook(clicked), kNormalLink) << "after a move report at the same place";

        // The next move over the label highlights it again.
        ASSERT_TRUE(MovePointer({on.x + 1, on.y}));
        WaitForLook(clicked, kHighlightedLink);
        EXPECT_EQ(ReadLinkLook(clicked), kHighlightedLink) << "after moving on it again";
    }
}

TEST_F(RecordedShell, ClickingTheDonateImageOpensTheDonateLinkOnly) {
    const HWND email = window_.Control(HelpControl::Email);
    ASSERT_TRUE(MovePointer(window_.CentreOf(HelpControl::Email)));
    WaitForLook(email, kHighlightedLink);
    ASSERT_EQ(ReadLinkLook(email), kHighlightedLink);

    ClickAt(window_.CentreOf(HelpControl::Donate));
    EXPECT_TRUE(OpenedOnly(kDonateLink));
    EXPECT_EQ(ReadLinkLook(email), kHighlightedLink) << "the links are left as they were";
    EXPECT_EQ(ReadLinkLook(window_.Control(HelpControl::Site)), kNormalLink);
}

struct PressCase {
    const char* name;
    MouseButton button;
};

TEST_F(RecordedShell, DonateImageSinksWhilePressed) {
    const PressCase cases[] = {
        {"left button", MouseButton::Left},
        {"right button", MouseButton::Right},
        {"middle button", MouseButton::Middle},
    };
    const Box rest = window_.ClientBox(HelpControl::Donate);
    const int offset = TwipsAsPixels(15);
    const Box pressed{rest.left + offset, rest.top + offset, rest.right + offset,
                      rest.bottom + offset};
    const auto imageAt = [&](const Box& wanted) {
        return WaitUntil(kRepaintTimeoutMs,
                         [&] { return window_.ClientBox(HelpControl::Donate) == wanted; });
    };
    for (const PressCase& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(MovePointer(window_.CentreOf(HelpControl::Donate)));
        PressButton(c.button);
        EXPECT_TRUE(imageAt(pressed))
            << "while the button is held: " << window_.ClientBox(HelpControl::Donate);
        // Released away from the image: a press without a click.
        ASSERT_TRUE(MovePointer(window_.BareSurface()));
        ReleaseButton(c.button);
        EXPECT_TRUE(imageAt(rest))
            << "after the release: " << window_.ClientBox(HelpControl::Donate);
    }
    Sleep(kSteadyMs);
    EXPECT_TRUE(handlers_->Opened().empty()) << "a press released elsewhere is no click";
}

// A click is the left button's: the others, pressed and released over a link or the image, open
// nothing.
TEST_F(RecordedShell, OnlyTheLeftButtonClicks) {
    for (const HelpControl control : {HelpControl::Site, HelpControl::Email, HelpControl::Donate}) {
        for (const MouseButton button : {MouseButton::Right, MouseButton::Middle}) {
            SCOPED_TRACE(testing::Message() << control << ", button " << static_cast<int>(button));
            ASSERT_TRUE(MovePointer(window_.CentreOf(control)));
            PressButton(button);
            ReleaseButton(button);
        }
    }
    Sleep(kSteadyMs);
    EXPECT_TRUE(handlers_->Opened().empty()) << testing::PrintToString(handlers_->Opened());
}

struct DoubleClickCase {
    const char* name;
    HelpControl clicked;
    std::wstring opens;
};

// Each double-click waits for its first request only: one wait at the end gives a second request
// of any of them the time to arrive, where it would stand out as one address too many.
TEST_F(RecordedShell, ADoubleClickOpensOnce) {
    const DoubleClickCase cases[] = {
        {"web address", HelpControl::Site, std::wstring(kWebAddress)},
        {"e-mail address", HelpControl::Email, std::wstring(L"mailto:") + kEmailAddress},
        {"donate image", HelpControl::Donate, kDonateLink},
    };
    const Box rest = window_.ClientBox(HelpControl::Donate);
    std::vector<std::wstring> expected;
    for (const DoubleClickCase& c : cases) {
        SCOPED_TRACE(c.name);
        DoubleClickAt(window_.CentreOf(c.clicked));
        expected.push_back(c.opens);
        EXPECT_TRUE(WaitUntil(kOpenTimeoutMs,
                              [&] { return handlers_->Opened().size() >= expected.size(); }))
            << "nothing was opened";
        EXPECT_EQ(window_.ClientBox(HelpControl::Donate), rest) << "two presses, two releases";
    }
    Sleep(kSecondRequestMs);
    EXPECT_EQ(handlers_->Opened(), expected);
}

struct ButtonStep {
    const char* what;
    MouseButton button;
    bool press;
    int offsets; // where the image then stands, in presses of 15 twips right and down
};

// Presses and releases move the image each by itself, whatever the other buttons do.
TEST_F(RecordedShell, DonateImageFollowsPressesAndReleasesThatDoNotPairUp) {
    const ButtonStep steps[] = {
        {"left pressed", MouseButton::Left, true, 1},
        {"right pressed too", MouseButton::Right, true, 2},
        {"left released, right still down", MouseButton::Left, false, 1},
        {"right released", MouseButton::Right, false, 0},
    };
    const Box rest = window_.ClientBox(HelpControl::Donate);
    const int offset = TwipsAsPixels(15);
    ASSERT_TRUE(MovePointer(window_.CentreOf(HelpControl::Donate)));
    for (const ButtonStep& step : steps) {
        SCOPED_TRACE(step.what);
        if (step.press) {
            PressButton(step.button);
        } else {
            ReleaseButton(step.button);
        }
        const int by = step.offsets * offset;
        const Box wanted{rest.left + by, rest.top + by, rest.right + by, rest.bottom + by};
        EXPECT_TRUE(WaitUntil(kRepaintTimeoutMs,
                              [&] { return window_.ClientBox(HelpControl::Donate) == wanted; }))
            << "the image stands at " << window_.ClientBox(HelpControl::Donate) << ", not at "
            << wanted;
    }
}

TEST_F(RecordedShell, DonateImageBackInPlaceAfterAClick) {
    const Box rest = window_.ClientBox(HelpControl::Donate);
    ClickAt(window_.CentreOf(HelpControl::Donate));
    EXPECT_TRUE(OpenedOnly(kDonateLink));
    EXPECT_EQ(window_.ClientBox(HelpControl::Donate), rest);
}

} // namespace
