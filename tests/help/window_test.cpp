// The help window as it first appears: caption, texts, the usage text's scrolling, the place on
// the screen (its make-up control by control: window_makeup_test.cpp). One window serves every
// test here; none of them changes it.
#include "tests/support/displayed_pointer.h"
#include "tests/support/examined_program.h"
#include "tests/support/screen_pixels.h"
#include "tests/support/plain_texts.h"
#include "tests/support/usage_text.h"
#include "tests/support/window_driver.h"

#include "common/unique_handle.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>

namespace {

using namespace skorvelin::support;

using skorvelin::UniqueGdiObject;

// Measures the controls' font, Tahoma 8.25 points, at the screen's DPI. The program's
// own font objects cannot be used from another process; where Tahoma is missing, the platform
// gives both processes the same stand-in.
class TahomaMeasure {
  public:
    TahomaMeasure()
        : font_(CreateFontW(-MulDiv(825, ScreenDpi(), 7200), 0, 0, 0, FW_NORMAL, FALSE, FALSE,
                            FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                            DEFAULT_QUALITY, DEFAULT_PITCH, L"Tahoma")),
          screen_(GetDC(nullptr)), previous_(SelectObject(screen_, font_.get())) {}
    TahomaMeasure(const TahomaMeasure&) = delete;
    TahomaMeasure& operator=(const TahomaMeasure&) = delete;
    ~TahomaMeasure() {
        SelectObject(screen_, previous_);
        ReleaseDC(nullptr, screen_);
    }

    int LineHeight() const {
        TEXTMETRICW metrics{};
        GetTextMetricsW(screen_, &metrics);
        return metrics.tmHeight;
    }

  private:
    UniqueGdiObject font_;
    HDC screen_;
    HGDIOBJ previous_;
};

// Where two texts first differ, with some context: a whole usage text is too long to compare
// by eye.
testing::AssertionResult SameText(const std::wstring& expected, const std::wstring& actual) {
    if (expected == actual) {
        return testing::AssertionSuccess();
    }
    size_t at = 0;
    while (at < expected.size() && at < actual.size() && expected[at] == actual[at]) {
        ++at;
    }
    const size_t from = at > 20 ? at - 20 : 0;
    return testing::AssertionFailure()
           << "texts differ at character " << at << " (lengths " << expected.size() << " and "
           << actual.size()
           << ")\n  expected: " << testing::PrintToString(expected.substr(from, 50))
           << "\n  actual:   " << testing::PrintToString(actual.substr(from, 50));
}

class HelpWindowLayout : public testing::Test {
  protected:
    static void SetUpTestSuite() { window_ = std::make_unique<HelpWindow>(); }
    static void TearDownTestSuite() { window_.reset(); }
    void SetUp() override { ASSERT_TRUE(window_->Shown()) << "Skorvelin.exe showed no window"; }

    static std::unique_ptr<HelpWindow> window_;
};

std::unique_ptr<HelpWindow> HelpWindowLayout::window_;

TEST_F(HelpWindowLayout, CaptionShowsTitleAndVersion) {
    EXPECT_EQ(WindowText(window_->Form()), L"Skorvelin v1.0.2");
}

TEST_F(HelpWindowLayout, EdgesCannotBeDraggedToResize) {
    RECT frame{};
    GetWindowRect(window_->Form(), &frame);
    const int midX = (frame.left + frame.right) / 2;
    const int midY = (frame.top + frame.bottom) / 2;
    const POINT edges[] = {{frame.left, midY},
                           {frame.right - 1, midY},
                           {midX, frame.bottom - 1},
                           {frame.left, frame.bottom - 1},
                           {frame.right - 1, frame.bottom - 1}};
    for (const POINT& edge : edges) {
        DWORD_PTR hit = 0;
        SendMessageTimeoutW(window_->Form(), WM_NCHITTEST, 0, MAKELPARAM(edge.x, edge.y),
                            SMTO_ABORTIFHUNG, 5000, &hit);
        EXPECT_TRUE(hit < HTSIZEFIRST || hit > HTSIZELAST)
            << "sizing area " << hit << " at " << edge.x << "," << edge.y;
    }
}

TEST_F(HelpWindowLayout, CentredOnTheScreen) {
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    RECT frame{};
    GetWindowRect(window_->Form(), &frame);
    // Halving an odd difference may round either way.
    const Box at{frame.left, frame.top, frame.right, frame.bottom};
    EXPECT_NEAR(frame.left - work.left, work.right - frame.right, 1) << at;
    EXPECT_NEAR(frame.top - work.top, work.bottom - frame.bottom, 1) << at;
}

// The picture at the top left is, pixel for pixel, the colour image of the program's 48-pixel
// icon, read here from the program file.
TEST_F(HelpWindowLayout, IconPictureIsThe48PixelIconsColourImage) {
    ASSERT_EQ(ScreenDpi(), 96u) << "the picture is drawn unscaled at 96 dots per inch only";
    const auto image = ProgramResource(MAKEINTRESOURCEW(3), 30001);
    ASSERT_FALSE(image.empty());
    const BYTE* const icon = image.data();
    BITMAPINFOHEADER header{};
    std::memcpy(&header, icon, sizeof(header));
    ASSERT_EQ(header.biWidth, 48);
    ASSERT_EQ(header.biBitCount, 24);
    const BYTE* const colours = icon + header.biSize; // bottom-up rows of blue, green, red
    constexpr int kRowBytes = 48 * 3;

    const Box box = window_->ClientBox(HelpControl::Icon);
    const POINT corner = window_->OnScreen({box.left, box.top});
    const auto differing = [&] {
        const ScreenImage shown(RECT{corner.x, corner.y, corner.x + 48, corner.y + 48});
        int count = 0;
        for (int y = 0; y < 48; ++y) {
            for (int x = 0; x < 48; ++x) {
                const BYTE* const pixel = colours + (47 - y) * kRowBytes + x * 3;
                const Rgb at = shown.At(x, y);
                count += at.red != pixel[2] || at.green != pixel[1] || at.blue != pixel[0];
            }
        }
        return count;
    };
    // A window just shown may not have painted its picture yet.
    WaitUntil(kRepaintTimeoutMs, [&] { return differing() == 0; });
    EXPECT_EQ(differing(), 0) << "pixels that differ from the icon's colour image";
}

// The taskbar button and the task switcher show the program's icon, at 32 and 16 pixels: the
// 32- and 16-pixel images of icon group 1, read from the program file.
TEST_F(HelpWindowLayout, TaskbarShowsTheApplicationIcon) {
    std::optional<std::vector<PointerImage>> icons = DisplayedIcons(window_->Form());
    ASSERT_TRUE(icons) << "the display told no icons";
    for (PointerImage& icon : *icons) {
        // What a see-through pixel's colour holds is nobody's business.
        std::replace_if(
            icon.argb.begin(), icon.argb.end(), [](auto p) { return p >> 24 == 0; }, 0u);
    }
    for (const int id : {30002, 30003}) {
        const PointerImage expected =
            DisplayedImage(ProgramResource(MAKEINTRESOURCEW(3), static_cast<WORD>(id)))
                .value_or(PointerImage{});
        ASSERT_FALSE(expected.argb.empty()) << "no 24-bit icon image " << id;
        EXPECT_NE(std::find(icons->begin(), icons->end(), expected), icons->end())
            << "the " << expected.width << "-pixel icon is not among the " << icons->size()
            << " icons shown";
    }
}

// The short texts of the controls are checked where the controls are found by them: the make-up
// table (window_makeup_test.cpp). The usage text is checked here, where a difference is shown.
TEST_F(HelpWindowLayout, UsageTextWithoutFinalLineBreak) {
    const std::wstring expected = ExpectedUsageText();
    ASSERT_FALSE(expected.empty());
    EXPECT_TRUE(SameText(expected, WindowText(window_->Control(HelpControl::Usage))));
}

TEST_F(HelpWindowLayout, UsageTextScrollsToItsLastLines) {
    const HWND text = window_->Control(HelpControl::Usage);
    ASSERT_TRUE(text);
    const auto ask = [&](UINT message, WPARAM wParam) {
        DWORD_PTR answer = 0;
        SendMessageTimeoutW(text, message, wParam, 0, SMTO_ABORTIFHUNG, 5000, &answer);
        return answer;
    };
    RECT inside{};
    GetClientRect(text, &inside);
    const DWORD_PTR lines = ask(EM_GETLINECOUNT, 0);
    const bool allFit = static_cast<LONG>(lines) * TahomaMeasure().LineHeight() <= inside.bottom;
    // At 96 dots per inch the text is taller than its box; elsewhere the fonts may differ.
    if (ScreenDpi() == 96) {
        ASSERT_FALSE(allFit) << "all " << lines << " lines fit in the box at 96 dots per inch";
    } else if (allFit) {
        GTEST_SKIP() << "all " << lines << " lines fit in the box with this machine's fonts";
    }
    EXPECT_EQ(ask(EM_GETFIRSTVISIBLELINE, 0), 0u);
    ask(WM_VSCROLL, SB_BOTTOM);
    EXPECT_GT(ask(EM_GETFIRSTVISIBLELINE, 0), 0u);
    ask(WM_VSCROLL, SB_TOP);
}

} // namespace
