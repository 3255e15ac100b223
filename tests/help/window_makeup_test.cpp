// The help window's make-up held against its description, one row per control: kind, place,
// focus order, the style bits that make behaviour, the text as painted (font and colours) and
// the pointer. Everything is read from the live window of Skorvelin.exe as any other program
// could read it, at 96 dots per inch and again, for what depends on it, at 144.
//
// Checked elsewhere with values typed the same way, and not again here: the caption, the
// controls' texts and the usage text (HelpWindowLayout.*), the edges that do not resize and the
// place on the work area (HelpWindowLayout.EdgesCannotBeDraggedToResize, CentredOnTheScreen),
// the icon picture's pixels (HelpWindowLayout.IconPictureIsThe48PixelIconsColourImage), the
// hidden donate images and the picture's alternation (HelpWindowDonateImage.*), the arrow and
// the I-beam away from the links (HelpWindowPointer.HandOverTheLinksOnly), Enter, Esc and
// Alt+O (HelpWindowClosing.*), and the application icon: group 1 with images 30001, 30002 and
// 30003 (ApplicationIcon.* in resources_tests).
#include "tests/support/displayed_pointer.h"
#include "tests/support/examined_program.h"
#include "tests/support/plain_texts.h"
#include "tests/support/screen_pixels.h"
#include "tests/support/usage_text.h"
#include "tests/support/user_input.h"
#include "tests/support/window_driver.h"
#include "tests/support/wine_settings.h"

#include "common/unique_handle.h"
#include "common/gdi_scope.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <numeric>
#include <optional>
#include <string>
#include <vector>

namespace {

using namespace skorvelin::support;

// Colours as 0x00BBGGRR, or 0x80000000 + n for the platform's system colour n.
constexpr DWORD kButtonFace = 0x8000000F;
constexpr DWORD kButtonText = 0x80000012;
constexpr DWORD kTooltipGround = 0x80000018;
constexpr DWORD kWindowText = 0x80000008;
constexpr DWORD kBlue = 0x00FF0000;
constexpr DWORD kRed = 0x000000FF;

COLORREF Resolved(DWORD colour) {
    return colour & 0x80000000 ? GetSysColor(static_cast<int>(colour & 0xFF)) : colour;
}

// Where a control's text stands: from its box's top-left corner as a label draws it, filling its
// box as one line placed by the advances it measures (a label sized to its text), centred in
// its box, or where the text box places its first character (it too places characters by their
// measured advances).
enum class TextAt { Nowhere, Corner, Fitted, Centre, FirstCharacter };

struct StyleBits {
    LONG mask;
    LONG bits;
};

struct Paint {
    TextAt at;
    DWORD ground;
    DWORD ink;
    DWORD hoverInk; // links: the red, underlined look while the pointer is over them
};

struct ControlRow {
    const char* name;
    const wchar_t* kind; // window class: how another program tells a button from a label
    std::wstring text;   // what it shows once the set-up has run, by which it is found
    TwipsBox box;        // width and height 0: sized to its text
    int tab;             // place in the focus order, -1 for none
    bool takesFocus;     // labels never do; the icon picture, the implementer's choice, does not
    StyleBits style;     // the bits that make behaviour
    Paint paint;
    bool hand;  // the program's hand cursor over it
    bool sinks; // moves 15 twips right and 15 down while a button is held on it
};

std::vector<ControlRow> Controls() {
    constexpr StyleBits kAny{0, 0};
    constexpr StyleBits kDefaultButton{BS_TYPEMASK, BS_DEFPUSHBUTTON};
    constexpr LONG kUsageBits = ES_MULTILINE | ES_READONLY | WS_VSCROLL;
    constexpr StyleBits kReadOnlyScrolled{kUsageBits, kUsageBits};
    constexpr StyleBits kLeftAligned{SS_TYPEMASK, SS_LEFT};
    constexpr Paint kNoText{TextAt::Nowhere, 0, 0, 0};
    constexpr Paint kCaption{TextAt::Centre, kButtonFace, kButtonText, 0};
    constexpr Paint kUsage{TextAt::FirstCharacter, kTooltipGround, kWindowText, 0};
    constexpr Paint kLink{TextAt::Fitted, kButtonFace, kBlue, kRed};
    constexpr Paint kLabel{TextAt::Corner, kButtonFace, kButtonText, 0};
    // clang-format off
    return {
        // name, kind, text, {Left, Top, Width, Height}, tab, takes focus,
        //     style, paint, hand, sinks
        {"picIcone", L"Static", L"", {120, 180, 720, 720}, 0, false,
            kAny, kNoText, false, false},
        {"btnOK", L"Button", L"&OK", {4440, 120, 1335, 495}, 6, true,
            kDefaultButton, kCaption, false, false},
        {"txtDescription", L"Edit", ExpectedUsageText(), {120, 1080, 5655, 4080}, 7, true,
            kReadOnlyScrolled, kUsage, false, false},
        {"lblEmail", L"Static", kEmailAddress, {1605, 660, 0, 0}, 5, false,
            kAny, kLink, true, false},
        {"lblSite", L"Static", kWebAddress, {1605, 420, 0, 0}, 3, false,
            kAny, kLink, true, false},
        {"lbl(1)", L"Static", L"eMail :", {1035, 660, 615, 255}, 4, false,
            kLeftAligned, kLabel, false, false},
        {"lbl(0)", L"Static", L"Www :", {1035, 420, 615, 255}, 2, false,
            kLeftAligned, kLabel, false, false},
        {"lblAuteur", L"Static", AsThisSystemReads(kAuthorCredit), {1005, 180, 3135, 255}, 1,
            false, kLeftAligned, kLabel, false, false},
        {"imgDonner", L"Static", L"Faire un don", {4425, 660, 1335, 315}, -1, false,
            kAny, kNoText, true, true},
    };
    // clang-format on
}

constexpr int kPressOffsetTwips = 15;

// Tahoma 8.25 points, regular, upright, Western character set, at `dpi` dots per inch. The
// character set shows in no pixel of these Western texts: nothing here tells it apart.
skorvelin::UniqueGdiObject TypedFont(unsigned dpi, bool underlined) {
    const int height = -static_cast<int>(std::lround(8.25 * dpi / 72));
    return skorvelin::UniqueGdiObject(CreateFontW(
        height, 0, 0, 0, FW_NORMAL, FALSE, underlined, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
        CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, L"Tahoma"));
}

// A text drawn by this process in the typed font and colours, over its ground, in a box of its
// own: what the control must show, pixel for pixel, with whatever smoothing the platform gives
// both processes. The platform's own drawing, access keys underlined, or one line placed by the
// advances that the measuring gives.
class Drawing {
  public:
    Drawing(const std::wstring& text, unsigned dpi, COLORREF ground, COLORREF ink, bool underlined,
            bool byAdvances, SIZE box = {0, 0})
        : font_(TypedFont(dpi, underlined)), dc_(CreateCompatibleDC(nullptr)) {
        const HGDIOBJ previousFont = SelectObject(dc_.get(), font_.get());
        const int count = static_cast<int>(text.size());
        std::vector<int> ends(text.size() + 1);
        GetTextExtentExPointW(dc_.get(), text.c_str(), count, 0, nullptr, ends.data(), &extent_);
        RECT all{0, 0, box.cx, box.cy};
        if (!box.cx) {
            DrawTextW(dc_.get(), text.c_str(), count, &all, DT_SINGLELINE | DT_CALCRECT);
            all.right = byAdvances ? extent_.cx : all.right;
        }
        const HDC screen = GetDC(nullptr);
        bitmap_.reset(CreateCompatibleBitmap(screen, all.right, all.bottom));
        ReleaseDC(nullptr, screen);
        const HGDIOBJ previousBitmap = SelectObject(dc_.get(), bitmap_.get());
        const skorvelin::UniqueGdiObject brush(CreateSolidBrush(ground));
        FillRect(dc_.get(), &all, static_cast<HBRUSH>(brush.get()));
        SetTextColor(dc_.get(), ink);
        SetBkMode(dc_.get(), TRANSPARENT);
        if (byAdvances) {
            std::vector<int> advances(text.size());
            std::adjacent_difference(ends.begin(), ends.end() - 1, advances.begin());
            ExtTextOutW(dc_.get(), 0, 0, 0, nullptr, text.c_str(), static_cast<UINT>(count),
                        advances.data());
        } else {
            DrawTextW(dc_.get(), text.c_str(), count, &all, DT_SINGLELINE);
        }
        image_ = std::make_unique<ScreenImage>(all, dc_.get());
        SelectObject(dc_.get(), previousBitmap);
        SelectObject(dc_.get(), previousFont);
    }
    SIZE Extent() const { return extent_; }
    const ScreenImage& Image() const { return *image_; }

  private:
    skorvelin::UniqueGdiObject font_;
    skorvelin::UniqueMemoryDc dc_;
    skorvelin::UniqueGdiObject bitmap_;
    SIZE extent_{};
    std::unique_ptr<ScreenImage> image_;
};

// The screen boxes of the controls above `control`, which may cover parts of its box.
std::vector<RECT> CoveringBoxes(HWND control) {
    std::vector<RECT> boxes;
    for (HWND above = GetWindow(control, GW_HWNDPREV); above;
         above = GetWindow(above, GW_HWNDPREV)) {
        RECT box{};
        if (IsWindowVisible(above) && GetWindowRect(above, &box)) {
            boxes.push_back(box);
        }
    }
    return boxes;
}

// How many pixels of `wanted` differ from those of `shown` under it when its corner lies at
// (left, top), counting no further than `enough`, and leaving out those that `hidden` names.
template <typename Hidden>
int Mismatches(const ScreenImage& wanted, const ScreenImage& shown, int left, int top,
               Hidden hidden, int enough) {
    int differing = 0;
    for (int y = 0; y < wanted.Height() && differing < enough; ++y) {
        for (int x = 0; x < wanted.Width(); ++x) {
            const Rgb a = wanted.At(x, y);
            const Rgb b = shown.At(left + x, top + y);
            differing +=
                (a.red != b.red || a.green != b.green || a.blue != b.blue) && !hidden(x, y);
        }
    }
    return differing;
}

// How many pixels of the drawing differ from the screen at `corner`, leaving out those that
// the `covered` boxes hide.
int Differing(const Drawing& drawing, POINT corner, const std::vector<RECT>& covered = {}) {
    const ScreenImage& wanted = drawing.Image();
    const ScreenImage shown(
        RECT{corner.x, corner.y, corner.x + wanted.Width(), corner.y + wanted.Height()});
    const auto hidden = [&](int x, int y) {
        const POINT at{corner.x + x, corner.y + y};
        return std::any_of(covered.begin(), covered.end(),
                           [&](const RECT& box) { return PtInRect(&box, at); });
    };
    return Mismatches(wanted, shown, 0, 0, hidden, wanted.Width() * wanted.Height());
}

// The fewest pixels of the drawing that differ from the screen, wherever it is put inside a
// control's box: where a button centres its caption is the platform's affair.
int DifferingAnywhereIn(const Drawing& drawing, HWND control) {
    RECT box{};
    GetWindowRect(control, &box);
    const ScreenImage& wanted = drawing.Image();
    const ScreenImage shown(box);
    int fewest = wanted.Width() * wanted.Height();
    for (int top = 0; top + wanted.Height() <= shown.Height(); ++top) {
        for (int left = 0; left + wanted.Width() <= shown.Width(); ++left) {
            fewest = std::min(
                fewest, Mismatches(
                            wanted, shown, left, top, [](int, int) { return false; }, fewest));
        }
    }
    return fewest;
}

class MakeUp {
  public:
    explicit MakeUp(unsigned dpi) : dpi_(dpi) {
        {
            const ScreenDpiSetting setting(dpi);
            if (!setting.set()) {
                return;
            }
            window_ = std::make_unique<HelpWindow>();
        }
        if (!window_->Shown()) {
            return;
        }
        // Found at once, before the donate picture and its name change for the first time.
        for (const ControlRow& row : Controls()) {
            if (const HWND child = FindChild(window_->Form(), row.kind, {row.text})) {
                controls_[row.name] = child;
            }
        }
    }
    bool Shown() const { return window_ && window_->Shown(); }
    const HelpWindow& Window() const { return *window_; }
    HWND Control(const ControlRow& row) const {
        const auto found = controls_.find(row.name);
        return found == controls_.end() ? nullptr : found->second;
    }
    Box ClientBox(HWND control) const { return window_->ClientBox(control); }
    // The box a row's twips give at this run's dots per inch; link labels fit their texts.
    Box Expected(const ControlRow& row, int shift = 0) const {
        if (row.box.width) {
            return PixelBox(
                {row.box.left + shift, row.box.top + shift, row.box.width, row.box.height}, dpi_);
        }
        const SIZE text = Drawing(row.text, dpi_, 0, 0, false, true).Extent();
        const Box corner = PixelBox({row.box.left, row.box.top, 0, 0}, dpi_);
        return {corner.left, corner.top, corner.left + text.cx, corner.top + text.cy};
    }

  private:
    unsigned dpi_;
    std::unique_ptr<HelpWindow> window_;
    std::map<std::string, HWND> controls_;
};

PointerImage ProgramHand() {
    // The program's one cursor group, 104; the platform picks its image as it would to show it.
    const auto group = ProgramResource(MAKEINTRESOURCEW(12), 104);
    const int id = group.empty() ? 0
                                 : LookupIconIdFromDirectoryEx(const_cast<BYTE*>(group.data()),
                                                               FALSE, 32, 32, LR_MONOCHROME);
    const auto image = ProgramResource(MAKEINTRESOURCEW(1), static_cast<WORD>(id));
    return DisplayedImage(image, true).value_or(PointerImage{});
}

// Wine's default scheme paints window, button and tooltip text alike, and window and tooltip
// grounds alike: while it lives, each of these system colours is one of its own, so that the
// pixels tell which one a control uses. The colours the system had come back at the end.
class DistinctSystemColours {
  public:
    DistinctSystemColours() {
        for (size_t i = 0; i < std::size(kElements); ++i) {
            previous_[i] = GetSysColor(kElements[i]);
        }
        set_ = SetSysColors(static_cast<int>(std::size(kElements)), kElements, kDistinct) != 0;
    }
    DistinctSystemColours(const DistinctSystemColours&) = delete;
    DistinctSystemColours& operator=(const DistinctSystemColours&) = delete;
    ~DistinctSystemColours() {
        SetSysColors(static_cast<int>(std::size(kElements)), kElements, previous_);
    }
    bool set() const { return set_; }

  private:
    static constexpr int kElements[] = {COLOR_BTNFACE,    COLOR_BTNTEXT, COLOR_WINDOW,
                                        COLOR_WINDOWTEXT, COLOR_INFOBK,  COLOR_INFOTEXT};
    static constexpr COLORREF kDistinct[] = {RGB(200, 190, 170), RGB(90, 0, 60),
                                             RGB(230, 250, 210), RGB(0, 80, 40),
                                             RGB(250, 220, 230), RGB(120, 60, 0)};
    COLORREF previous_[std::size(kElements)] = {};
    bool set_ = false;
};

// At 144 dots per inch only what the scale changes: places and sizes, the texts' pixels, the
// press. Under distinct system colours the same, at 96.
struct Scale {
    unsigned dpi;
    bool everything;
    bool distinctColours = false;
};

TEST(HelpWindowMakeUp, AsDescribedAt96And144DotsPerInch) {
    for (const Scale run : {Scale{96, true}, Scale{144, false}, Scale{96, false, true}}) {
        SCOPED_TRACE(testing::Message() << "at " << run.dpi << " dots per inch"
                                        << (run.distinctColours ? ", distinct colours" : ""));
        std::optional<DistinctSystemColours> colours;
        if (run.distinctColours) {
            ASSERT_TRUE(colours.emplace().set()) << "the system colours could not be set";
        }
        const MakeUp makeUp(run.dpi);
        ASSERT_TRUE(makeUp.Shown()) << "Skorvelin.exe showed no window, or Wine's dots per inch "
                                       "could not be set";
        const HWND form = makeUp.Window().Form();
        const auto rows = Controls();

        std::map<int, HWND> byTab;
        for (const ControlRow& row : rows) {
            if (row.takesFocus) {
                byTab[row.tab] = makeUp.Control(row);
            }
        }
        std::vector<HWND> order;
        for (const auto& [tab, control] : byTab) {
            order.push_back(control);
        }

        // The form: shown active in front with the focus on the first control of the tab order
        // that takes it, its client area, a fixed dialog frame with a close box and no icon, no
        // minimise or maximise box, and a taskbar button.
        if (run.everything) {
            ThreadFocus shown;
            WaitUntil(kRepaintTimeoutMs, [&] {
                shown = FocusIn(form);
                return GetForegroundWindow() == form && shown.active == form &&
                       shown.focus == order.front();
            });
            EXPECT_EQ(GetForegroundWindow(), form);
            EXPECT_EQ(shown.active, form);
            EXPECT_EQ(shown.focus, order.front());
            const LONG frame = WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX |
                               WS_MAXIMIZEBOX | WS_CHILD | WS_POPUP;
            EXPECT_EQ(GetWindowLongW(form, GWL_STYLE) & frame, WS_CAPTION | WS_SYSMENU);
            const LONG extended = WS_EX_DLGMODALFRAME | WS_EX_APPWINDOW | WS_EX_TOOLWINDOW;
            EXPECT_EQ(GetWindowLongW(form, GWL_EXSTYLE) & extended,
                      WS_EX_DLGMODALFRAME | WS_EX_APPWINDOW);
            EXPECT_EQ(GetWindow(form, GW_OWNER), nullptr) << "an owned window has no button";
        }
        RECT client{};
        GetClientRect(form, &client);
        EXPECT_EQ(client.right, TwipsAsPixels(5895, run.dpi));
        EXPECT_EQ(client.bottom, TwipsAsPixels(5295, run.dpi));

        for (const ControlRow& row : rows) {
            SCOPED_TRACE(row.name);
            const HWND control = makeUp.Control(row);
            ASSERT_TRUE(control) << "no " << testing::PrintToString(std::wstring(row.kind))
                                 << " showing " << testing::PrintToString(row.text);
            EXPECT_TRUE(IsWindowVisible(control));
            EXPECT_EQ(makeUp.ClientBox(control), makeUp.Expected(row));
            if (run.everything) {
                EXPECT_EQ(GetWindowLongW(control, GWL_STYLE) & row.style.mask, row.style.bits);
            }
            const Paint& paint = row.paint;
            if (paint.at == TextAt::Nowhere) {
                continue;
            }
            const Drawing normal(paint.at == TextAt::FirstCharacter ? row.text.substr(0, 26)
                                                                    : row.text,
                                 run.dpi, Resolved(paint.ground), Resolved(paint.ink), false,
                                 paint.at == TextAt::Fitted || paint.at == TextAt::FirstCharacter);
            if (paint.at == TextAt::Centre) {
                WaitUntil(kRepaintTimeoutMs,
                          [&] { return DifferingAnywhereIn(normal, control) == 0; });
                EXPECT_EQ(DifferingAnywhereIn(normal, control), 0);
            } else if (paint.at == TextAt::FirstCharacter) {
                DWORD_PTR at = 0;
                SendMessageTimeoutW(control, EM_POSFROMCHAR, 0, 0, SMTO_ABORTIFHUNG, 5000, &at);
                POINT first{static_cast<short>(LOWORD(at)), static_cast<short>(HIWORD(at))};
                ClientToScreen(control, &first);
                WaitUntil(kRepaintTimeoutMs, [&] { return Differing(normal, first) == 0; });
                EXPECT_EQ(Differing(normal, first), 0);
            } else {
                const Box box = makeUp.ClientBox(control);
                const POINT corner = makeUp.Window().OnScreen({box.left, box.top});
                const Drawing filled(row.text, run.dpi, Resolved(paint.ground), Resolved(paint.ink),
                                     false, paint.at == TextAt::Fitted,
                                     {box.right - box.left, box.bottom - box.top});
                const auto covered = CoveringBoxes(control);
                WaitUntil(kRepaintTimeoutMs,
                          [&] { return Differing(filled, corner, covered) == 0; });
                EXPECT_EQ(Differing(filled, corner, covered), 0);
            }
        }

        // Under the pointer: the links' highlighted look, the hand, the donate image's press.
        for (const ControlRow& row : rows) {
            SCOPED_TRACE(row.name);
            const HWND control = makeUp.Control(row);
            if (!control || !(row.paint.hoverInk || row.hand || row.sinks)) {
                continue;
            }
            const POINT centre = makeUp.Window().CentreOf(control);
            ASSERT_TRUE(MovePointer(centre));
            if (row.paint.hoverInk) {
                const Box box = makeUp.ClientBox(control);
                const POINT corner = makeUp.Window().OnScreen({box.left, box.top});
                const Drawing highlighted(row.text, run.dpi, Resolved(row.paint.ground),
                                          Resolved(row.paint.hoverInk), true, true);
                // A move over the form that the window takes in late, on a loaded machine the
                // one of its showing under the pointer, undoes the look; a move on within the
                // link gives it back.
                WaitUntil(kRepaintTimeoutMs, [&, step = 0]() mutable {
                    if (Differing(highlighted, corner) == 0) {
                        return true;
                    }
                    MovePointer({centre.x + ++step % 2, centre.y});
                    return false;
                });
                EXPECT_EQ(Differing(highlighted, corner), 0) << "highlighted";
            }
            if (row.hand && run.everything) {
                const PointerImage hand = ProgramHand();
                EXPECT_EQ(hand.width, 32);
                EXPECT_EQ(hand.height, 32);
                EXPECT_EQ(hand.hotspotX, 11);
                EXPECT_EQ(hand.hotspotY, 5);
                std::optional<PointerImage> shown;
                WaitUntil(kRepaintTimeoutMs, [&] { return (shown = DisplayedPointer()) == hand; });
                ASSERT_TRUE(shown) << "the display told no pointer image";
                EXPECT_EQ(*shown, hand);
            }
            if (row.sinks) {
                PressButton(MouseButton::Left);
                const Box pressed = makeUp.Expected(row, kPressOffsetTwips);
                WaitUntil(kRepaintTimeoutMs, [&] { return makeUp.ClientBox(control) == pressed; });
                EXPECT_EQ(makeUp.ClientBox(control), pressed) << "while pressed";
                // Released off the image: a press that is no click opens nothing.
                ASSERT_TRUE(MovePointer(makeUp.Window().BareSurface()));
                ReleaseButton(MouseButton::Left);
                WaitUntil(kRepaintTimeoutMs,
                          [&] { return makeUp.ClientBox(control) == makeUp.Expected(row); });
                EXPECT_EQ(makeUp.ClientBox(control), makeUp.Expected(row)) << "released";
            }
            ASSERT_TRUE(MovePointer(makeUp.Window().BareSurface()));
        }
        if (!run.everything) {
            continue;
        }

        // Tab and Shift+Tab go round the controls that take the focus, in the tab order.
        ASSERT_TRUE(GiveKeyboardTo(form));
        for (size_t step = 1; step <= order.size(); ++step) {
            TypeChord({VK_TAB});
            const HWND next = order[step % order.size()];
            WaitUntil(kRepaintTimeoutMs, [&] { return FocusIn(form).focus == next; });
            EXPECT_EQ(FocusIn(form).focus, next) << "after Tab " << step;
        }
        TypeChord({VK_SHIFT, VK_TAB});
        WaitUntil(kRepaintTimeoutMs, [&] { return FocusIn(form).focus == order.back(); });
        EXPECT_EQ(FocusIn(form).focus, order.back()) << "after Shift+Tab";
    }
}

} // namespace
