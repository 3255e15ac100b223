// The help window under the pointer and over time: link highlighting and the donate picture.
#include "tests/support/screen_pixels.h"
#include "tests/support/user_input.h"
#include "tests/support/window_driver.h"

#include <gtest/gtest.h>

#include <map>
#include <utility>
#include <vector>

namespace {

using namespace skorvelin::support;

constexpr DWORD kTickTimeoutMs = 6000;

enum class Spot {
    Site,
    Email,
    Donate,
    Outside,
    TitleBar,
    FormSurface,
    Icon,
    Author,
    WwwLabel,
    EmailLabel,
    OkButton,
    UsageText,
};

POINT ScreenPointOf(const HelpWindow& window, Spot spot) {
    // Just inside a box's top-left corner, away from the neighbours its box overlaps.
    const auto nearCorner = [&](HelpControl id) {
        RECT box{};
        GetWindowRect(window.Control(id), &box);
        return POINT{box.left + 3, box.top + 3};
    };
    RECT frame{};
    GetWindowRect(window.Form(), &frame);
    const POINT clientOrigin = window.OnScreen({0, 0});
    switch (spot) {
    case Spot::Site:
        return window.CentreOf(HelpControl::Site);
    case Spot::Email:
        return window.CentreOf(HelpControl::Email);
    case Spot::Donate:
        return window.CentreOf(HelpControl::Donate);
    case Spot::Outside:
        return {frame.right + 30, (frame.top + frame.bottom) / 2};
    case Spot::TitleBar:
        return {(frame.left + frame.right) / 2, (frame.top + clientOrigin.y) / 2};
    case Spot::FormSurface:
        return window.BareSurface();
    case Spot::Icon:
        return window.CentreOf(HelpControl::Icon);
    case Spot::Author:
        return nearCorner(HelpControl::Author);
    case Spot::WwwLabel:
        return nearCorner(HelpControl::SiteLabel);
    case Spot::EmailLabel:
        return nearCorner(HelpControl::EmailLabel);
    case Spot::OkButton:
        return window.CentreOf(HelpControl::Ok);
    case Spot::UsageText:
        return window.CentreOf(HelpControl::Usage);
    }
    return {};
}

struct Looks {
    LinkLook site;
    LinkLook email;
    friend bool operator==(const Looks&, const Looks&) = default;
};

std::ostream& operator<<(std::ostream& out, const Looks& looks) {
    return out << "site " << looks.site << "; e-mail " << looks.email;
}

constexpr Looks kBothNormal{kNormalLink, kNormalLink};
constexpr Looks kSiteHighlighted{kHighlightedLink, kNormalLink};
constexpr Looks kEmailHighlighted{kNormalLink, kHighlightedLink};

Looks CurrentLooks(const HelpWindow& window) {
    return {ReadLinkLook(window.Control(HelpControl::Site)),
            ReadLinkLook(window.Control(HelpControl::Email))};
}

struct HoverStep {
    const char* what;
    Spot spot;
    Looks then;
};

TEST(HelpWindowLinks, FollowThePointer) {
    const HoverStep steps[] = {
        {"onto the web address", Spot::Site, kSiteHighlighted},
        {"straight onto the e-mail address", Spot::Email, kEmailHighlighted},
        {"straight back onto the web address", Spot::Site, kSiteHighlighted},
        {"onto the donate image", Spot::Donate, kSiteHighlighted},
        {"out of the window", Spot::Outside, kSiteHighlighted},
        {"onto the title bar", Spot::TitleBar, kSiteHighlighted},
        {"onto the form's own surface", Spot::FormSurface, kBothNormal},
        {"onto the e-mail address", Spot::Email, kEmailHighlighted},
        {"onto the donate image", Spot::Donate, kEmailHighlighted},
        {"out of the window", Spot::Outside, kEmailHighlighted},
        {"onto the icon", Spot::Icon, kBothNormal},
        {"onto the web address", Spot::Site, kSiteHighlighted},
        {"onto the author line", Spot::Author, kBothNormal},
        {"onto the e-mail address", Spot::Email, kEmailHighlighted},
        {"onto \"Www :\"", Spot::WwwLabel, kBothNormal},
        {"onto the web address", Spot::Site, kSiteHighlighted},
        {"onto \"eMail :\"", Spot::EmailLabel, kBothNormal},
        {"onto the e-mail address", Spot::Email, kEmailHighlighted},
        {"onto the OK button", Spot::OkButton, kBothNormal},
        {"onto the web address", Spot::Site, kSiteHighlighted},
        {"onto the usage text", Spot::UsageText, kBothNormal},
        {"onto the form's own surface again", Spot::FormSurface, kBothNormal},
    };
    const HelpWindow window;
    ASSERT_TRUE(window.Shown()) << "Skorvelin.exe showed no window";
    WaitUntil(kRepaintTimeoutMs, [&] { return CurrentLooks(window) == kBothNormal; });
    ASSERT_EQ(CurrentLooks(window), kBothNormal) << "before the pointer came near";
    Looks before = kBothNormal;
    for (const HoverStep& step : steps) {
        SCOPED_TRACE(step.what);
        ASSERT_TRUE(MovePointer(ScreenPointOf(window, step.spot)));
        if (step.then == before) {
            Sleep(kSteadyMs);
        } else {
            WaitUntil(kRepaintTimeoutMs, [&] { return CurrentLooks(window) == step.then; });
        }
        ASSERT_EQ(CurrentLooks(window), step.then);
        before = step.then;
    }
}

// The pointer's shape once the window under it has set it.
HCURSOR SettledCursor() {
    const auto now = [] {
        CURSORINFO info{};
        info.cbSize = sizeof(info);
        return GetCursorInfo(&info) ? info.hCursor : nullptr;
    };
    HCURSOR cursor = now();
    // Right after the window appears the pointer may not have been given a cursor yet: none
    // counts as not settled.
    WaitUntil(kRepaintTimeoutMs, [&] {
        Sleep(50);
        const HCURSOR next = now();
        return std::exchange(cursor, next) == next && next != nullptr;
    });
    return cursor;
}

enum class Shape { Hand, Arrow, IBeam };

struct CursorCase {
    const char* what;
    Spot spot;
    Shape shape;
};

// Another process's cursors cannot be looked into, so shapes are told apart by identity: one
// cursor for the three links, another for the plain surfaces, the text cursor for the text.
TEST(HelpWindowPointer, HandOverTheLinksOnly) {
    const CursorCase cases[] = {
        {"web address", Spot::Site, Shape::Hand},
        {"form surface", Spot::FormSurface, Shape::Arrow},
        {"e-mail address", Spot::Email, Shape::Hand},
        {"usage text", Spot::UsageText, Shape::IBeam},
        {"donate image", Spot::Donate, Shape::Hand},
        {"icon", Spot::Icon, Shape::Arrow},
        {"author line", Spot::Author, Shape::Arrow},
        {"OK button", Spot::OkButton, Shape::Arrow},
    };
    const HelpWindow window;
    ASSERT_TRUE(window.Shown()) << "Skorvelin.exe showed no window";
    std::map<Shape, HCURSOR> seen;
    for (const CursorCase& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(MovePointer(ScreenPointOf(window, c.spot)));
        const HCURSOR cursor = SettledCursor();
        ASSERT_TRUE(cursor);
        const auto [first, added] = seen.emplace(c.shape, cursor);
        EXPECT_EQ(first->second, cursor) << "not the cursor seen before for the same shape";
    }
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_NE(seen[Shape::Hand], seen[Shape::Arrow]);
    EXPECT_NE(seen[Shape::Hand], seen[Shape::IBeam]);
    EXPECT_NE(seen[Shape::Arrow], seen[Shape::IBeam]);
}

// The boxes of the two hidden images, on the screen, and the controls that may cover parts of
// them; whatever else lies in those boxes must be the form's bare background.
struct HiddenImages {
    explicit HiddenImages(const HelpWindow& window) {
        for (const TwipsBox& twips : {TwipsBox{4425, 720, 1335, 315},    // imgDonnerFR
                                      TwipsBox{3345, 720, 1335, 315}}) { // imgDonnerEN
            const Box box = PixelBox(twips);
            const POINT topLeft = window.OnScreen({box.left, box.top});
            const POINT bottomRight = window.OnScreen({box.right, box.bottom});
            boxes.push_back({topLeft.x, topLeft.y, bottomRight.x, bottomRight.y});
        }
        for (const HelpControl id :
             {HelpControl::Icon, HelpControl::Ok, HelpControl::Usage, HelpControl::Site,
              HelpControl::Email, HelpControl::SiteLabel, HelpControl::EmailLabel,
              HelpControl::Author, HelpControl::Donate}) {
            controls.push_back(window.Control(id));
        }
    }
    int PixelsShown() const {
        int shown = 0;
        for (const RECT& box : boxes) {
            shown += PixelsOffBackground(box, controls);
        }
        return shown;
    }
    std::vector<RECT> boxes;
    std::vector<HWND> controls;
};

// The timer may fire late on a busy machine, and be seen late, but a picture that lasted
// 2 or 6 seconds must not pass for one that lasted 3.
constexpr ULONGLONG kShortestTick = 2500;
constexpr ULONGLONG kLongestTick = 4000;

struct Phase {
    const char* what;
    const wchar_t* name;
    DonatePicture picture;
};

TEST(HelpWindowDonateImage, AlternatesFrenchAndEnglishEveryThreeSeconds) {
    const Phase phases[] = {
        {"first shown", L"Faire un don", DonatePicture::French},
        {"after the first tick", L"Donate", DonatePicture::English},
        {"after the second tick", L"Faire un don", DonatePicture::French},
    };
    const HelpWindow window;
    ASSERT_TRUE(window.Shown()) << "Skorvelin.exe showed no window";
    const HWND image = window.Control(HelpControl::Donate);
    ASSERT_TRUE(image);
    const HiddenImages hidden(window);
    std::vector<ULONGLONG> switches;
    for (const Phase& phase : phases) {
        SCOPED_TRACE(phase.what);
        if (switches.empty()) {
            EXPECT_EQ(WindowText(image), phase.name);
        } else {
            ASSERT_TRUE(WaitUntil(kTickTimeoutMs, [&] { return WindowText(image) == phase.name; }))
                << "still " << testing::PrintToString(WindowText(image));
        }
        switches.push_back(GetTickCount64());
        WaitUntil(kRepaintTimeoutMs, [&] { return ReadDonatePicture(image) == phase.picture; });
        EXPECT_EQ(ReadDonatePicture(image), phase.picture) << "on the screen";
        EXPECT_EQ(hidden.PixelsShown(), 0) << "pixels of a hidden image on the screen";
    }
    // Two successive switches: from English back to French.
    const ULONGLONG lasted = switches[2] - switches[1];
    EXPECT_GE(lasted, kShortestTick) << "the English picture lasted " << lasted << " ms";
    EXPECT_LE(lasted, kLongestTick) << "the English picture lasted " << lasted << " ms";
}

TEST(HelpWindowUsageText, CanBeSelectedButNotEdited) {
    const HelpWindow window;
    ASSERT_TRUE(window.Shown()) << "Skorvelin.exe showed no window";
    const HWND text = window.Control(HelpControl::Usage);
    ASSERT_TRUE(text);
    ASSERT_TRUE(GiveKeyboardTo(window.Form()));
    const std::wstring before = WindowText(text);
    const auto selection = [&] {
        DWORD_PTR range = 0;
        SendMessageTimeoutW(text, EM_GETSEL, 0, 0, SMTO_ABORTIFHUNG, 5000, &range);
        return std::pair<int, int>{LOWORD(range), HIWORD(range)};
    };

    // Dragged across the first lines, as a user selects with the pointer.
    RECT box{};
    GetWindowRect(text, &box);
    ASSERT_TRUE(MovePointer({box.left + 8, box.top + 5}));
    PressButton(MouseButton::Left);
    ASSERT_TRUE(MovePointer({box.left + (box.right - box.left) / 2, box.top + 40}));
    ReleaseButton(MouseButton::Left);
    WaitUntil(kRepaintTimeoutMs, [&] { return selection().second > selection().first; });
    const auto [start, end] = selection();
    EXPECT_GT(end - start, 20) << "the drag selected nothing or hardly anything";

    // Typing over the selection would replace it in a box that can be edited.
    TypeChord({'X'});
    TypeChord({VK_DELETE});
    Sleep(kSteadyMs);
    EXPECT_EQ(WindowText(text), before);
}

} // namespace
