#include "lookup/process_lookup.h"
#include "lookup/reverse_find.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using modGeneral::CompareMode;
using modGeneral::ReverseFind;
using modGeneral::TextsEqual;

TEST(ReverseFind, Positions) {
    struct Case {
        std::wstring text;
        std::wstring sought;
        long start;
        CompareMode mode;
        long position;
    };
    const std::vector<Case> cases = {
        {L"C:\\dir\\app.exe", L"\\", -1, CompareMode::Binary, 7},
        {L"C:\\dir\\app.exe", L"\\", 6, CompareMode::Binary, 3},
        {L"C:\\dir\\app.exe", L"\\", 7, CompareMode::Binary, 7},
        {L"C:\\dir\\app.exe", L"\\", 2, CompareMode::Binary, 0},
        {L"app.exe", L"\\", -1, CompareMode::Binary, 0},
        // A match must end at or before the start: the "bc" at 5 ends after character 4.
        {L"abcabc", L"bc", 4, CompareMode::Binary, 2},
        {L"abcabc", L"bc", 6, CompareMode::Binary, 5},
        {L"abcabc", L"bc", 5, CompareMode::Binary, 2},
        {L"abcabc", L"bc", -1, CompareMode::Binary, 5},
        {L"abcabc", L"abcabc", -1, CompareMode::Binary, 1},
        {L"abcabc", L"abcabcd", -1, CompareMode::Binary, 0},
        {L"abcabc", L"bc", 2, CompareMode::Binary, 0},
        {L"abcabc", L"bc", 0, CompareMode::Binary, 0},
        {L"aaaa", L"aa", -1, CompareMode::Binary, 3},
        {L"abcabc", L"x", -1, CompareMode::Binary, 0},
        {L"", L"x", -1, CompareMode::Binary, 0},
        {L"", L"x", -1, CompareMode::Text, 0},
        // An empty sought text is found at the chosen start itself.
        {L"abc", L"", -1, CompareMode::Binary, 3},
        {L"abc", L"", 1, CompareMode::Binary, 2},
        {L"abc", L"", 0, CompareMode::Binary, 1},
        {L"", L"", -1, CompareMode::Binary, 0},
        // Text mode ignores letter case, binary mode does not.
        {L"x\\ab", L"\\AB", -1, CompareMode::Text, 2},
        {L"x\\ab", L"\\AB", -1, CompareMode::Binary, 0},
        {L"C:\\DIR\\Notepad.EXE", L"notepad.exe", -1, CompareMode::Text, 8},
        {L"C:\\DIR\\Notepad.EXE", L"notepad.exe", -1, CompareMode::Binary, 0},
        {L"\u00c9T\u00c9", L"\u00e9", -1, CompareMode::Text, 3},
        {L"\u00c9T\u00c9", L"\u00e9", -1, CompareMode::Binary, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ReverseFind(c.text, c.sought, c.start, c.mode), c.position)
            << testing::PrintToString(c.text) << " " << testing::PrintToString(c.sought)
            << " start " << c.start << " mode " << static_cast<int>(c.mode);
    }
}

TEST(TextsEqual, Modes) {
    EXPECT_TRUE(TextsEqual(L"NOTEPAD.EXE", L"notepad.exe", CompareMode::Text));
    EXPECT_FALSE(TextsEqual(L"NOTEPAD.EXE", L"notepad.exe", CompareMode::Binary));
    EXPECT_TRUE(TextsEqual(L"\u041f\u0420\u0418", L"\u043f\u0440\u0438", CompareMode::Text));
    EXPECT_FALSE(TextsEqual(L"notepad.exe", L"notepad.ex", CompareMode::Text));
    EXPECT_FALSE(TextsEqual(L"notepad.exe", L"*.exe", CompareMode::Text));
    EXPECT_FALSE(TextsEqual(L"notepad.exe", L"notepad.ex?", CompareMode::Text));
    EXPECT_FALSE(TextsEqual(L"", L"notepad.exe", CompareMode::Text));
    EXPECT_FALSE(TextsEqual(L"notepad.exe", L"", CompareMode::Text));
    EXPECT_TRUE(TextsEqual(L"", L"", CompareMode::Text));
}

TEST(FileNameOf, KeepsTheLastComponent) {
    struct Case {
        std::wstring path;
        std::wstring name;
    };
    const std::vector<Case> cases = {
        {L"C:\\dir\\app.exe", L"app.exe"},
        {L"C:\\Program Files\\Some Dir\\Notepad.EXE", L"Notepad.EXE"},
        {L"app.exe", L"app.exe"},
        {L"\\app.exe", L"app.exe"},
        {L"C:\\dir\\", L""},
        {L"", L""},
        {L"\\\\server\\share\\x.exe", L"x.exe"},
        {L"C:/dir/app.exe", L"C:/dir/app.exe"}, // only the backslash separates
    };
    for (const Case& c : cases) {
        EXPECT_EQ(skorvelin::FileNameOf(c.path), c.name) << testing::PrintToString(c.path);
    }
}

} // namespace
