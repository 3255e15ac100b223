// Skorvelin.exe on the 95/98/Me family, for real: Wine presents itself as Windows 98 to a
// program whose file name has "Version" = "win98" under HKCU\Software\Wine\AppDefaults.
#include "tests/support/harness.h"
#include "tests/support/plain_texts.h"
#include "tests/support/screen_pixels.h"
#include "tests/support/target.h"
#include "tests/support/wine_settings.h"
#include "tests/support/usage_text.h"
#include "tests/support/window_driver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>

namespace {

using namespace skorvelin::support;

namespace fs = std::filesystem;
using skorvelin::UniqueGdiObject;

constexpr wchar_t kWarningText[] =
    L"Cette fontionnalit\u00e9 n'est pas disponible sous Win9x/WinME...";
// The message box's text control.
constexpr int kMessageTextId = 0xFFFF;
// The Western code page, whose 8-bit codes hold every accented letter used below.
constexpr UINT kWestern = 1252;

// The dialog box titled "Attention" that belongs to process `id`, or nullptr.
HWND WarningBoxOf(DWORD id) {
    const HWND box = DialogBoxOf(id);
    return box != nullptr && WindowText(box) == L"Attention" ? box : nullptr;
}

std::vector<HWND> VisibleChildren(HWND parent) {
    std::vector<HWND> children;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (IsWindowVisible(child)) {
            children.push_back(child);
        }
    }
    return children;
}

// The pixels of a box of `source`'s surface (the screen's where it is null), row by row.
std::vector<COLORREF> Pixels(HDC source, int x, int y, int width, int height) {
    const ScreenImage image(RECT{x, y, x + width, y + height}, source);
    std::vector<COLORREF> pixels;
    for (int row = 0; row < image.Height(); ++row) {
        for (int column = 0; column < image.Width(); ++column) {
            const Rgb pixel = image.At(column, row);
            pixels.push_back(RGB(pixel.red, pixel.green, pixel.blue));
        }
    }
    return pixels;
}

// `icon` drawn at its natural size on a plain `background`.
std::vector<COLORREF> Rendering(HICON icon, COLORREF background, int width, int height) {
    const HDC screen = GetDC(nullptr);
    const HDC memory = CreateCompatibleDC(screen);
    const UniqueGdiObject bitmap{CreateCompatibleBitmap(screen, width, height)};
    const HGDIOBJ old = SelectObject(memory, bitmap.get());
    const UniqueGdiObject brush{CreateSolidBrush(background)};
    const RECT all{0, 0, width, height};
    FillRect(memory, &all, static_cast<HBRUSH>(brush.get()));
    DrawIconEx(memory, 0, 0, icon, 0, 0, 0, nullptr, DI_NORMAL);
    std::vector<COLORREF> pixels = Pixels(memory, 0, 0, width, height);
    SelectObject(memory, old);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}

size_t Differences(const std::vector<COLORREF>& a, const std::vector<COLORREF>& b) {
    size_t count = 0;
    for (size_t i = 0; i < std::min(a.size(), b.size()); ++i) {
        count += a[i] != b[i];
    }
    return count + std::max(a.size(), b.size()) - std::min(a.size(), b.size());
}

// Which of the message box icons the icon control shows on screen, or nullptr when it shows
// none of them.
const wchar_t* ShownIcon(HWND iconControl) {
    RECT rect{};
    GetWindowRect(iconControl, &rect);
    const int width = GetSystemMetrics(SM_CXICON);
    const int height = GetSystemMetrics(SM_CYICON);
    const std::vector<COLORREF> shown = Pixels(nullptr, rect.left, rect.top, width, height);
    // The predefined icons' ids are 8-bit resource names in this build.
    const std::pair<const wchar_t*, LPCSTR> icons[] = {{L"exclamation", IDI_EXCLAMATION},
                                                       {L"hand", IDI_HAND},
                                                       {L"asterisk", IDI_ASTERISK},
                                                       {L"question", IDI_QUESTION}};
    for (const auto& [name, id] : icons) {
        const HICON icon = LoadIconA(nullptr, id);
        if (icon && Differences(shown, Rendering(icon, shown.front(), width, height)) == 0) {
            return name;
        }
    }
    return nullptr;
}

class Win9x : public testing::Test {
  protected:
    void SetUp() override {
        program_ = CopyProgram(SkorvelinProgram(), scratch_.path(), programName_);
        ASSERT_TRUE(override_.set()) << "cannot write the Wine version override";
    }

    ScratchFolder scratch_;
    Job job_;
    const std::wstring programName_ = L"skorvelin98" + UniqueTag() + L".exe";
    AppVersionOverride override_{programName_, L"win98"};
    fs::path program_;
};

TEST_F(Win9x, NameCommandOnlyWarns) {
    const std::wstring victimName = L"w98victim" + UniqueTag() + L".exe";
    const TargetApp victim(job_,
                           CopyProgram(TargetProgram(BinFolder()), scratch_.path(), victimName),
                           scratch_.path(), {});
    ASSERT_EQ(victim.failure(), L"");

    const Process run = job_.Start(program_, L"/n:" + victimName);
    ASSERT_TRUE(run);
    HWND box = nullptr;
    ASSERT_TRUE(WaitUntil(30000, [&] { return (box = WarningBoxOf(run.id())) != nullptr; }))
        << "no warning box; the run " << (run.Running() ? "goes on" : "ended");

    EXPECT_EQ(WindowText(GetDlgItem(box, kMessageTextId)), kWarningText);
    std::vector<HWND> buttons;
    HWND iconControl = nullptr;
    for (const HWND child : VisibleChildren(box)) {
        if (ClassName(child) == L"Button") {
            buttons.push_back(child);
        } else if (ClassName(child) == L"Static" &&
                   (GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
            iconControl = child;
        }
    }
    ASSERT_EQ(buttons.size(), 1u);
    EXPECT_EQ(GetDlgCtrlID(buttons.front()), IDOK);
    ASSERT_NE(iconControl, nullptr);
    const wchar_t* icon = nullptr;
    WaitUntil(5000, [&] { return (icon = ShownIcon(iconControl)) != nullptr; });
    EXPECT_EQ(testing::PrintToString(std::wstring(icon ? icon : L"(none recognised)")),
              testing::PrintToString(std::wstring(L"exclamation")));
    EXPECT_TRUE(victim.process().Running()) << "terminated while the warning is up";

    PostMessageW(box, WM_COMMAND, IDOK, 0);

    ASSERT_TRUE(run.WaitForEnd(10000)) << "the run goes on after the warning";
    EXPECT_EQ(run.ExitCode(), std::optional<DWORD>(0));
    EXPECT_FALSE(victim.process().WaitForEnd(1000)) << "the process was terminated";
}

TEST_F(Win9x, TitleCommandWorks) {
    const std::wstring title = L"Old " + UniqueTag();
    const TargetApp target(job_, TargetProgram(BinFolder()), scratch_.path(),
                           {{title, WindowPlan::Kind::Hidden}, {title + L" decoy"}});
    ASSERT_EQ(target.failure(), L"");

    EXPECT_EQ(RunToEnd(job_, program_, L"/T:" + title), std::optional<DWORD>(0));

    EXPECT_EQ(target.QuitWindows(), std::optional<std::set<size_t>>({0}));
}

TEST_F(Win9x, HelpWindowComesThroughTheCodePage) {
    ASSERT_EQ(GetACP(), kWestern) << "the accents of the usage text need the Western code page";
    const Process run = job_.Start(program_, L"");
    ASSERT_TRUE(run);
    HWND form = nullptr;
    ASSERT_TRUE(WaitUntil(30000, [&] { return (form = HelpFormOf(run.id())) != nullptr; }))
        << "no help window; the run " << (run.Running() ? "goes on" : "ended");

    // Windows made from 8-bit classes: the 16-bit functions were left alone.
    EXPECT_FALSE(IsWindowUnicode(form));
    const HWND usage = FindHelpControl(form, HelpControl::Usage);
    EXPECT_FALSE(IsWindowUnicode(usage));

    // The usage text's accents show the 8-bit path; the caption takes the same one.
    EXPECT_EQ(WindowText(usage), ExpectedUsageText());
    for (const wchar_t* plain : {kAuthorCredit, kWebAddress, kEmailAddress}) {
        EXPECT_NE(FindChild(form, L"Static", {plain}), nullptr)
            << "no label reads " << testing::PrintToString(std::wstring(plain));
    }

    PostMessageW(FindHelpControl(form, HelpControl::Ok), BM_CLICK, 0, 0);

    ASSERT_TRUE(run.WaitForEnd(10000)) << "the help window stays after OK";
    EXPECT_EQ(run.ExitCode(), std::optional<DWORD>(0));
}

// The command line and the titles are both 8-bit text here, lowered by the code page's rules:
// a title matches whatever the case of its accented letters on either side.
TEST_F(Win9x, TitleCommandIgnoresTheCaseOfAccentedLetters) {
    ASSERT_EQ(GetACP(), kWestern) << "the accented letters below need the Western code page";
    const std::wstring tag = UniqueTag();
    struct Case {
        const char* what;
        std::wstring title;
        // Enumerated before the title and matched by a pattern whose accents were lost.
        std::wstring decoy;
        std::wstring arguments;
    };
    const Case cases[] = {
        {"capitals in the title, small letters in the command",
         L"\u00c9T\u00c9 \u00c0 \u00c7A " + tag, L"ETE A CA " + tag,
         L"/T:\u00e9t\u00e9 \u00e0 \u00e7a " + tag},
        {"small letters in the title, capitals in the command",
         L"cr\u00e8me br\u00fbl\u00e9e " + tag, L"creme brulee " + tag,
         L"/T:CR\u00c8ME BR\u00dbL\u00c9E " + tag},
        {"letters of the code page beyond Latin-1", L"\u0152UVRE \u0178 " + tag, L"EUVRE Y " + tag,
         L"/t:\u0153uvre \u00ff " + tag},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Job job;
        const TargetApp target(job, TargetProgram(BinFolder()), scratch_.path(),
                               {{c.title, WindowPlan::Kind::Hidden}, {c.decoy}});
        ASSERT_EQ(target.failure(), L"");
        const std::vector<HWND> order = TopLevelWindows();
        ASSERT_LT(PositionOf(target.window(1), order), PositionOf(target.window(0), order));

        EXPECT_EQ(RunToEnd(job, program_, c.arguments), std::optional<DWORD>(0));

        EXPECT_EQ(target.QuitWindows(), std::optional<std::set<size_t>>({0}));
    }
}

} // namespace
