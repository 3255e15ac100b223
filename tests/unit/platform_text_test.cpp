#include "common/platform_version.h"
#include "common/platform_calls.h"
#include "common/platform_text.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

namespace {

using skorvelin::AnsiToWide;
using skorvelin::LowerCase;
using skorvelin::WideToAnsi;

TEST(LowerCase, FollowsThePlatformCaseMapping) {
    struct Case {
        std::wstring text;
        std::wstring lowered;
    };
    const std::vector<Case> cases = {
        {L"", L""},
        {L"ABC xyz", L"abc xyz"},
        {L"/T:(Sans Titre) - Bloc-Notes", L"/t:(sans titre) - bloc-notes"},
        {L"\u00c9T\u00c9", L"\u00e9t\u00e9"}, // ÉTÉ
        {L"\u00c0\u00c7\u00d1\u00d6\u00d8\u00de",
         L"\u00e0\u00e7\u00f1\u00f6\u00f8\u00fe"}, // ÀÇÑÖØÞ
        {L"\u041f\u0420\u0418\u0412\u0415\u0422",
         L"\u043f\u0440\u0438\u0432\u0435\u0442"}, // ПРИВЕТ
        {L"\u0401\u0416", L"\u0451\u0436"},        // ЁЖ
        {L"\u0394\u03a9", L"\u03b4\u03c9"},        // ΔΩ
        // Characters without case stay as they are.
        {L"0123456789 !\"#$%&'()*+,-./:;<=>?@[\\]^_`{|}~\t",
         L"0123456789 !\"#$%&'()*+,-./:;<=>?@[\\]^_`{|}~\t"},
        {L"\u00df\u00d7\u00f7\u00a0", L"\u00df\u00d7\u00f7\u00a0"}, // ß × ÷ no-break space
        {L"\u6f22\u5b57\u3042", L"\u6f22\u5b57\u3042"},             // 漢字あ
        {L"\u00e9\u0436", L"\u00e9\u0436"},                         // already lower
        {std::wstring(L"A\0B", 3), std::wstring(L"a\0b", 3)},       // a NUL does not end the text
    };
    for (const Case& c : cases) {
        EXPECT_EQ(LowerCase(c.text), c.lowered) << testing::PrintToString(c.text);
    }
}

TEST(CodePageText, AsciiAndEmptyRoundTrip) {
    EXPECT_EQ(AnsiToWide(""), L"");
    EXPECT_EQ(WideToAnsi(L""), "");
    EXPECT_EQ(AnsiToWide("Bloc-notes (sans titre)"), L"Bloc-notes (sans titre)");
    EXPECT_EQ(WideToAnsi(L"Bloc-notes (sans titre)"), "Bloc-notes (sans titre)");
    // Titles are passed with their length; an embedded NUL must not cut them short.
    EXPECT_EQ(AnsiToWide(std::string_view("a\0b", 3)), std::wstring(L"a\0b", 3));
    EXPECT_EQ(WideToAnsi(std::wstring_view(L"a\0b", 3)), std::string("a\0b", 3));
}

TEST(CodePageText, Windows1252) {
    if (GetACP() != 1252) {
        GTEST_SKIP() << "system code page is " << GetACP();
    }
    EXPECT_EQ(AnsiToWide("Cette fontionnalit\xe9"), L"Cette fontionnalit\u00e9");
    EXPECT_EQ(WideToAnsi(L"Cette fontionnalit\u00e9"), "Cette fontionnalit\xe9");
    EXPECT_EQ(AnsiToWide("\x80\x9c"), L"\u20ac\u0153"); // the euro sign and œ
    EXPECT_EQ(WideToAnsi(L"\u20ac\u0153"), "\x80\x9c");
    // A character the code page lacks becomes the default character, one byte for one.
    EXPECT_EQ(WideToAnsi(L"x\u0436y"), "x?y");
}

TEST(GetPlatformId, ReportsTheNtFamily) {
    // Wine runs as the NT family unless configured as a 95/98/Me version.
    EXPECT_EQ(modGeneral::GetPlatformId(), 2);
    EXPECT_TRUE(skorvelin::WideApiAvailable());
}

} // namespace
