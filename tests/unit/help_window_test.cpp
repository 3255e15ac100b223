// The help window's measures, texts and pictures, apart from the window.
#include "common/gdi_scope.h"
#include "tests/support/bindings.h"
#include "tests/support/examined_program.h"
#include "ui/drawing.h"
#include "ui/usage_text.h"

#include <gtest/gtest.h>

#include <windows.h>

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
    DrawPicture(picture, memory.get(), 0, 0, 384); // 4 pixels wide at four times 96 dpi
    return GetPixel(memory.get(), 2, 2);
}

TEST(LoadPicture, DecodesGifsAndDrawsTransparentPixelsAsSeeThrough) {
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
        const Picture opaque = LoadPicture(OnePixelGif(false), L"white");
        const Picture clear = LoadPicture(OnePixelGif(true), L"clear");
        ASSERT_TRUE(opaque.object);
        ASSERT_TRUE(clear.object);
        const std::vector<std::string> decoders = system.BoundFrom("OleLoadPicture");
        ASSERT_FALSE(decoders.empty());
        for (const std::string& decoder : decoders) {
            EXPECT_EQ(decoder, c.decoder);
        }
        EXPECT_STREQ(opaque.name, L"white");
        EXPECT_EQ(opaque.pixels.cx, 1);
        EXPECT_EQ(opaque.pixels.cy, 1);
        EXPECT_EQ(RenderedOverRed(opaque), RGB(255, 255, 255));
        EXPECT_EQ(RenderedOverRed(clear), RGB(255, 0, 0));

        // Undecodable bytes give no picture, and no name that would tell of one.
        for (const std::string_view bytes :
             {std::string_view{}, std::string_view{"not a picture"}}) {
            const Picture none = LoadPicture(bytes, L"garbage");
            EXPECT_FALSE(none.object);
            EXPECT_STREQ(none.name, L"");
        }

        // The program's own donate pictures, read from its file: 89 by 21 pixels each.
        for (const WORD id : {WORD{102}, WORD{103}}) {
            const auto bytes = support::ProgramResource(MAKEINTRESOURCEW(10), id);
            ASSERT_FALSE(bytes.empty()) << "picture " << id;
            const Picture donate =
                LoadPicture({reinterpret_cast<const char*>(bytes.data()), bytes.size()}, L"donate");
            ASSERT_TRUE(donate.object) << "picture " << id;
            EXPECT_EQ(donate.pixels.cx, 89);
            EXPECT_EQ(donate.pixels.cy, 21);
        }
    }
}

HRESULT WINAPI MonitorAt144Dpi(HMONITOR, int, UINT* x, UINT* y) {
    *x = *y = 144;
    return S_OK;
}

// Windows 8.1 tells the dots per inch of each monitor but not of each window: a window on a
// 144-dpi monitor is drawn for it.
TEST(WindowDpi, TheMonitorsWhereTheWindowsOwnIsUnknown) {
    const support::ReplacedBindings system(
        {{nullptr, "GetDpiForWindow", nullptr},
         {nullptr, "GetDpiForMonitor", support::AsBound(MonitorAt144Dpi)}});
    EXPECT_EQ(WindowDpi(GetDesktopWindow()), 144u);
}

} // namespace
