// The form layer under the help window: measures, texts, pictures, and controls driven by the
// messages the platform would send them.
#include "forms/colors.h"
#include "forms/controls.h"
#include "forms/event_handlers.h"
#include "forms/fonts.h"
#include "common/gdi_scope.h"
#include "forms/form.h"
#include "forms/ole_picture.h"
#include "forms/timer.h"
#include "forms/twips.h"
#include "tests/support/bindings.h"
#include "tests/support/examined_program.h"
#include "ui/usage_text.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace skorvelin;

TEST(WithoutFinalLineBreak, RemovesOneFinalPairOnly) {
    struct Case {
        std::wstring text;
        std::wstring shown;
    };
    const std::vector<Case> cases = {
        {L"Exemples :\r\n", L"Exemples :"},
        {L"fin\r\n\r\n", L"fin\r\n"},
        {L"\r\n", L""},
        {L"", L""},
        {L"x", L"x"},
        {L"\n", L"\n"},
        {L"fin\n\r", L"fin\n\r"},
        {L"fin\r", L"fin\r"},
        {L"fin\n", L"fin\n"},
        {L"a\r\nb", L"a\r\nb"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(WithoutFinalLineBreak(c.text), c.shown) << testing::PrintToString(c.text);
    }
}

TEST(Windows1252ToWide, ReadsTheBytesAsWindows1252WhateverTheSystemCodePage) {
    const std::string bytes = "r\xF4le ex\xE9"
                              "cution \xE0 \xE8 \xEA \x80 \x93x\x94\r\n";
    EXPECT_EQ(Windows1252ToWide(bytes),
              L"r\u00f4le ex\u00e9cution \u00e0 \u00e8 \u00ea \u20ac \u201cx\u201d\r\n");
    EXPECT_EQ(Windows1252ToWide(""), L"");
}

TEST(Twips, PixelsAtCommonDpis) {
    struct Case {
        float twips;
        unsigned dpi;
        int pixels;
    };
    const std::vector<Case> cases = {
        {5895, 96, 393}, {5295, 96, 353},  {195, 96, 13},  {15, 96, 1},      {0, 96, 0},
        {4425, 96, 295}, {4440, 96, 296},  {1335, 96, 89}, {5895, 120, 491}, {15, 120, 1},
        {30, 120, 3},    {5895, 144, 590}, {720, 144, 72}, {5895, 192, 786}, {-15, 96, -1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TwipsToPixels(c.twips, c.dpi), c.pixels) << c.twips << " twips at " << c.dpi;
    }
}

TEST(Twips, PixelsSurviveTheWayThroughTwips) {
    // Labels that size themselves store their measured pixels as twips and are laid out back.
    for (const unsigned dpi : {72u, 96u, 120u, 144u, 168u, 192u, 288u}) {
        for (int pixels = -50; pixels <= 3000; ++pixels) {
            ASSERT_EQ(TwipsToPixels(PixelsToTwips(pixels, dpi), dpi), pixels)
                << pixels << " px at " << dpi;
        }
    }
}

TEST(FontHeight, PointsToCharacterHeight) {
    struct Case {
        float points;
        unsigned dpi;
        int height;
    };
    const std::vector<Case> cases = {
        {8.25f, 96, -11}, {8.25f, 120, -14}, {8.25f, 144, -17}, {8.25f, 192, -22}, {12, 96, -16},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FontHeight(c.points, c.dpi), c.height) << c.points << " pt at " << c.dpi;
    }
}

TEST(ResolveColor, SystemColoursFollowTheSchemeOthersAreTakenAsTheyAre) {
    EXPECT_EQ(ResolveColor(0x80000018), GetSysColor(COLOR_INFOBK));
    EXPECT_EQ(ResolveColor(kButtonFaceColor), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(ResolveColor(0x00FF0000), static_cast<COLORREF>(0x00FF0000));
    EXPECT_EQ(ResolveColor(0x000000FF), static_cast<COLORREF>(0x000000FF));
    EXPECT_EQ(ResolveColor(0x12345678), static_cast<COLORREF>(0x00345678));
}

// A 1 by 1 pixel GIF whose one pixel is white, or transparent when `transparent`.
std::string OnePixelGif(bool transparent) {
    using namespace std::string_literals;
    return "GIF89a\x01\x00\x01\x00\x80\x00\x00"s // screen, two-colour palette
           "\xFF\xFF\xFF\x00\x00\x00"s           // white, black
           "\x21\xF9\x04"s +
           (transparent ? "\x01"s : "\x00"s) +
           "\x00\x00\x00\x00"s                         // colour 0 transparent or not
           "\x2C\x00\x00\x00\x00\x01\x00\x01\x00\x00"s // image
           "\x02\x02\x44\x01\x00\x3B"s;                // pixel 0, end
}

// The colour at the centre of a 4 by 4 red square after the picture is drawn over it.
COLORREF RenderedOverRed(const Picture& picture) {
    const WindowDc screen(nullptr);
    const UniqueMemoryDc memory{CreateCompatibleDC(screen.get())};
    const UniqueGdiObject bitmap{CreateCompatibleBitmap(screen.get(), 4, 4)};
    const SelectedObject selected(memory.get(), bitmap.get());
    const RECT square{0, 0, 4, 4};
    const UniqueGdiObject red{CreateSolidBrush(RGB(255, 0, 0))};
    FillRect(memory.get(), &square, static_cast<HBRUSH>(red.get()));
    picture.Render(memory.get(), square);
    return GetPixel(memory.get(), 2, 2);
}

TEST(PictureLoader, DecodesGifsAndDrawsTransparentPixelsAsSeeThrough) {
    struct Case {
        const char* what;
        std::vector<support::Replacement> replacements;
        const char* decoder; // the library that must give OleLoadPicture
    };
    const Case cases[] = {
        {"OLE automation library", {}, "oleaut32.dll"},
        // Early OLE releases have the picture functions in olepro32.dll only.
        {"picture library of early OLE releases",
         {{"oleaut32.dll", "OleLoadPicture", nullptr}},
         "olepro32.dll"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const support::ReplacedBindings system(c.replacements);
        PictureLoader loader;
        const PictureRef opaque = loader.Load(OnePixelGif(false), L"white");
        const PictureRef clear = loader.Load(OnePixelGif(true), L"clear");
        ASSERT_TRUE(opaque);
        ASSERT_TRUE(clear);
        EXPECT_EQ(system.BoundFrom("OleLoadPicture"), std::vector<std::string>{c.decoder});
        EXPECT_EQ(opaque->Name(), L"white");
        EXPECT_EQ(opaque->Pixels().cx, 1);
        EXPECT_EQ(opaque->Pixels().cy, 1);
        EXPECT_EQ(RenderedOverRed(*opaque), RGB(255, 255, 255));
        EXPECT_EQ(RenderedOverRed(*clear), RGB(255, 0, 0));

        EXPECT_FALSE(loader.Load("", L"nothing"));
        EXPECT_FALSE(loader.Load("not a picture at all", L"garbage"));

        // The program's own donate pictures, read from its file: 89 by 21 pixels each.
        for (const WORD id : {WORD{102}, WORD{103}}) {
            const auto bytes = support::ProgramResource(MAKEINTRESOURCEW(10), id);
            ASSERT_FALSE(bytes.empty()) << "picture " << id;
            const PictureRef donate =
                loader.Load({reinterpret_cast<const char*>(bytes.data()), bytes.size()}, L"donate");
            ASSERT_TRUE(donate) << "picture " << id;
            EXPECT_EQ(donate->Pixels().cx, 89);
            EXPECT_EQ(donate->Pixels().cy, 21);
        }
    }
}

HRESULT WINAPI MonitorAt144Dpi(HMONITOR, int, UINT* x, UINT* y) {
    *x = *y = 144;
    return S_OK;
}

// Windows 8.1 tells the dots per inch of each monitor but not of each window: a form that opens
// on a 144-dpi monitor is laid out for it. Pictures drawn larger there are stretched in the
// family's own way; this process runs as the NT family, whose way is HALFTONE, with the brush
// origin set after it.
TEST(FormLayerAt144Dpi, LaidOutForTheMonitorAndStretchedHalftone) {
    // Both functions of Windows 10 1607 are absent there.
    const support::ReplacedBindings system(
        {{nullptr, "GetDpiForWindow", nullptr},
         {nullptr, "AdjustWindowRectExForDpi", nullptr},
         {nullptr, "GetDpiForMonitor", support::AsBound(MonitorAt144Dpi)}});
    Form form;
    ASSERT_TRUE(form.Create(L"test", 5895, 5295, 1));
    RECT client{};
    GetClientRect(form.hWnd(), &client);
    EXPECT_EQ(client.right, 590);
    EXPECT_EQ(client.bottom, 530);
    EXPECT_EQ(form.Dpi(), 144u);

    PictureBox box;
    box.Move(120, 180, 720, 720);
    box.SetPicture(UniqueGdiObject{CreateBitmap(48, 48, 1, 32, nullptr)});
    ASSERT_TRUE(box.Load(form, 1));
    const WindowDc screen(nullptr);
    const UniqueMemoryDc memory{CreateCompatibleDC(screen.get())};
    const UniqueGdiObject canvas{CreateCompatibleBitmap(screen.get(), 80, 80)};
    const SelectedObject drawn(memory.get(), canvas.get());
    SetBrushOrgEx(memory.get(), 5, 7, nullptr);
    DRAWITEMSTRUCT item{};
    item.hDC = memory.get();
    item.rcItem = {0, 0, 72, 72};
    box.OnDraw(item);
    EXPECT_EQ(GetStretchBltMode(memory.get()), HALFTONE);
    POINT origin{};
    GetBrushOrgEx(memory.get(), &origin);
    EXPECT_EQ(origin.x, 0);
    EXPECT_EQ(origin.y, 0);
}

// A form whose handlers note each event they receive, wired as a program wires its form's.
struct RecordingForm : Form {
    void Pressed(short button, short, float, float) { log.push_back("down " + Text(button)); }
    void Released(short button, short, float, float) { log.push_back("up " + Text(button)); }
    void Clicked() { log.push_back("click"); }
    void Moved(short button, short shift, float x, float y) {
        moves.push_back({button, shift, x, y});
    }
    void Ticked() { log.push_back("tick"); }

    static std::string Text(short number) { return std::to_string(number); }
    std::ptrdiff_t Count(const char* event) const {
        return std::count(log.begin(), log.end(), event);
    }

    std::vector<std::string> log;
    std::vector<MouseArgs> moves;
};

// A hidden form with controls on it, driven by sending it what the platform would.
class FormLayer : public testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(form.Create(L"test", 6000, 4000, 1)); }

    LRESULT Send(const Control& control, UINT message, WPARAM wParam, int x, int y) {
        return SendMessageW(control.hWnd(), message, wParam, MAKELPARAM(x, y));
    }

    RecordingForm form;
    std::vector<std::string>& log = form.log;
};

TEST_F(FormLayer, PressAndReleaseMakeAClickOnlyForTheLeftButtonReleasedOverTheControl) {
    Image image;
    image.Move(300, 300, 1335, 315);
    image.MouseDown = MouseHandler<&RecordingForm::Pressed>;
    image.MouseUp = MouseHandler<&RecordingForm::Released>;
    image.Click = Handler<&RecordingForm::Clicked>;
    ASSERT_TRUE(image.Load(form, 100));

    struct Case {
        const char* name;
        UINT down;
        UINT up;
        WPARAM held;
        int releaseX;
        std::vector<std::string> events;
    };
    const std::vector<Case> cases = {
        {"left inside", WM_LBUTTONDOWN, WM_LBUTTONUP, MK_LBUTTON, 5, {"down 1", "up 1", "click"}},
        // The second click of a double-click: one double-click must not open a link twice.
        {"double click", WM_LBUTTONDBLCLK, WM_LBUTTONUP, MK_LBUTTON, 5, {"down 1", "up 1"}},
        {"left inside after a double click",
         WM_LBUTTONDOWN,
         WM_LBUTTONUP,
         MK_LBUTTON,
         5,
         {"down 1", "up 1", "click"}},
        {"left released outside",
         WM_LBUTTONDOWN,
         WM_LBUTTONUP,
         MK_LBUTTON,
         500,
         {"down 1", "up 1"}},
        {"right", WM_RBUTTONDOWN, WM_RBUTTONUP, MK_RBUTTON, 5, {"down 2", "up 2"}},
        {"middle", WM_MBUTTONDOWN, WM_MBUTTONUP, MK_MBUTTON, 5, {"down 4", "up 4"}},
    };
    for (const Case& c : cases) {
        log.clear();
        Send(image, c.down, c.held, 5, 5);
        EXPECT_EQ(GetCapture(), image.hWnd()) << c.name;
        Send(image, c.up, 0, c.releaseX, 5);
        EXPECT_EQ(GetCapture(), nullptr) << c.name;
        EXPECT_EQ(log, c.events) << c.name;
    }

    // A release without a press on the control belongs to some other window.
    log.clear();
    Send(image, WM_LBUTTONUP, 0, 5, 5);
    EXPECT_TRUE(log.empty());
}

TEST_F(FormLayer, PointerMovesReportTwipsAndHeldButtons) {
    Label label;
    label.Move(0, 0, 3000, 600);
    label.MouseMove = MouseHandler<&RecordingForm::Moved>;
    const std::vector<MouseArgs>& moves = form.moves;
    ASSERT_TRUE(label.Load(form, 101));

    Send(label, WM_MOUSEMOVE, MK_LBUTTON | MK_MBUTTON, 10, 20);
    ASSERT_EQ(moves.size(), 1u);
    EXPECT_EQ(moves[0].button, 5);
    // 1440 twips to the inch.
    EXPECT_FLOAT_EQ(moves[0].x, 10 * 1440.0f / static_cast<float>(form.Dpi()));
    EXPECT_FLOAT_EQ(moves[0].y, 20 * 1440.0f / static_cast<float>(form.Dpi()));
}

TEST_F(FormLayer, ALabelThatSizesItselfTakesItsTextsExtentAndKeepsItsPlace) {
    Label label;
    label.SetAutoSize(true);
    label.Move(1605, 420, 1770, 195);
    ASSERT_TRUE(label.Load(form, 102));

    for (const wchar_t* text : {L"http://www.example.org/", L"contact@example.org", L"W", L""}) {
        label.SetCaption(text);
        const WindowDc screen(nullptr);
        const auto font = reinterpret_cast<HGDIOBJ>(SendMessageW(label.hWnd(), WM_GETFONT, 0, 0));
        const SelectedObject selected(screen.get(), font);
        SIZE extent{};
        GetTextExtentPoint32W(screen.get(), text, lstrlenW(text), &extent);
        TEXTMETRICW metrics{};
        GetTextMetricsW(screen.get(), &metrics);

        EXPECT_FLOAT_EQ(label.Left(), 1605) << text;
        EXPECT_FLOAT_EQ(label.Top(), 420) << text;
        RECT box{};
        GetClientRect(label.hWnd(), &box);
        EXPECT_EQ(box.right, extent.cx) << text;
        EXPECT_EQ(box.bottom, metrics.tmHeight) << text;
    }
}

TEST_F(FormLayer, MovesAreRelativeToWhereTheControlStands) {
    Image image;
    image.Move(4425, 660, 1335, 315);
    ASSERT_TRUE(image.Load(form, 103));
    image.Move(image.Left() + 15, image.Top() + 15);
    image.Move(image.Left() + 15, image.Top() + 15);
    image.Move(image.Left() - 15, image.Top() - 15);

    EXPECT_FLOAT_EQ(image.Left(), 4440);
    EXPECT_FLOAT_EQ(image.Top(), 675);
    RECT box{};
    GetWindowRect(image.hWnd(), &box);
    MapWindowPoints(HWND_DESKTOP, form.hWnd(), reinterpret_cast<POINT*>(&box), 2);
    // A twip is 1/1440 inch: the box where the moves left it, rounded to the nearest pixel.
    const auto pixels = [&](int twips) {
        return (twips * static_cast<int>(form.Dpi()) + 720) / 1440;
    };
    EXPECT_EQ(box.left, pixels(4440));
    EXPECT_EQ(box.top, pixels(675));
    EXPECT_EQ(box.right - box.left, pixels(1335));
}

TEST_F(FormLayer, ImagesShareOnePictureAndNameItInTheirText) {
    PictureLoader loader;
    Image hidden;
    hidden.SetVisible(false);
    hidden.SetPicture(loader.Load(OnePixelGif(false), L"Faire un don"));
    Image shown;
    ASSERT_TRUE(shown.Load(form, 104));

    shown.SetPicture(hidden.Picture());
    EXPECT_EQ(shown.Picture().get(), hidden.Picture().get());
    wchar_t text[64] = {};
    GetWindowTextW(shown.hWnd(), text, 64);
    EXPECT_STREQ(text, L"Faire un don");
    EXPECT_EQ(hidden.hWnd(), nullptr); // a hidden image needs no window
}

TEST_F(FormLayer, EnterAndEscTypedInTheTextBoxPressTheDefaultCancelButton) {
    CommandButton button;
    button.SetCaption(L"&OK");
    button.SetDefault(true);
    button.SetCancel(true);
    button.Click = Handler<&RecordingForm::Clicked>;
    TextBox text;
    text.SetText(L"une ligne\r\nune autre");
    text.Move(0, 600, 3000, 1500);
    ASSERT_TRUE(button.Load(form, IDOK));
    ASSERT_TRUE(text.Load(form, 105));

    EXPECT_EQ(SendMessageW(form.hWnd(), DM_GETDEFID, 0, 0), MAKELRESULT(IDOK, DC_HASDEFID));

    // Keys typed in the read-only text box, as the message loop hands them over.
    for (const WPARAM key : {VK_RETURN, VK_ESCAPE}) {
        log.clear();
        MSG message{text.hWnd(), WM_KEYDOWN, key, 0, 0, {}};
        EXPECT_TRUE(IsDialogMessageW(form.hWnd(), &message));
        EXPECT_EQ(form.Count("click"), 1) << key;
    }
}

TEST_F(FormLayer, AWindowLeadsToItsControlOnlyWhenItIsOne) {
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

// Dispatches messages until the form has noted `event` `wanted` times or two seconds have
// passed.
void PumpUntil(const RecordingForm& form, const char* event, std::ptrdiff_t wanted) {
    const DWORD deadline = GetTickCount() + 2000;
    MSG message;
    while (form.Count(event) < wanted && GetTickCount() < deadline) {
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageW(&message);
        }
        Sleep(5);
    }
}

TEST(FormTimers, TimersPlacedBeforeCreateTickWhileTheFormIsLoaded) {
    RecordingForm form;
    Timer timer;
    timer.SetInterval(10);
    timer.Tick = Handler<&RecordingForm::Ticked>;
    form.Register(timer);
    ASSERT_TRUE(form.Create(L"test", 6000, 4000, 1));

    PumpUntil(form, "tick", 2);
    EXPECT_GE(form.Count("tick"), 2);
}

} // namespace
