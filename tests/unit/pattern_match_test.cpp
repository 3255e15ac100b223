#include "common/pattern_match.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using skorvelin::CompiledPattern;
using skorvelin::PatternMatch;

struct MatchCase {
    std::wstring text;
    std::wstring pattern;
    bool matches;
};

void ExpectAll(const std::vector<MatchCase>& cases) {
    for (const MatchCase& c : cases) {
        EXPECT_EQ(PatternMatch(c.text, c.pattern), c.matches)
            << "text " << testing::PrintToString(c.text) << " pattern "
            << testing::PrintToString(c.pattern);
    }
}

TEST(PatternMatch, Wildcards) {
    ExpectAll({
        {L"", L"", true},
        {L"a", L"", false},
        {L"", L"*", true},
        {L"", L"**", true},
        {L"anything at all", L"*", true},
        {L"untitled - notepad", L"*notepad*", true},
        {L"notepad", L"*notepad*", true},
        {L"notepa", L"*notepad*", false},
        {L"foo", L"f?o", true},
        {L"fo", L"f?o", false},
        {L"fooo", L"f?o", false},
        {L"", L"?", false},
        {L"", L"*?", false},
        {L"x", L"*?", true},
        {L"a", L"?*?", false},
        {L"ab", L"?*?", true},
        {L"a1", L"a#", true},
        {L"a0", L"a#", true},
        {L"a9", L"a#", true},
        {L"ab", L"a#", false},
        {L"a", L"a#", false},
        {L"a12", L"a#", false},
        {L"v10.2", L"v#*.#", true},
        {L"v.2", L"v#*.#", false},
        // The star must give characters back when the rest of the pattern needs them.
        {L"aab", L"*ab", true},
        {L"aaab", L"*aab", true},
        {L"abcabd", L"*abd", true},
        {L"abc", L"a*b*c", true},
        {L"axxbyyc", L"a*b*c", true},
        {L"acb", L"a*b*c", false},
        {L"a", L"a*a", false},
        {L"aa", L"a*a", true},
        {L"mississippi", L"m*iss*ppi", true},
        {L"mississippi", L"m*iss*iss*ppi", true},
        {L"mississippi", L"m*iss*iss*iss*", false},
    });
}

TEST(PatternMatch, WholeTextOnly) {
    ExpectAll({
        {L"foo - bar", L"foo", false},
        {L"foo - bar", L"bar", false},
        {L"foo - bar", L"*bar", true},
        {L"foo - bar", L"foo*", true},
        {L"abc", L"b", false},
        {L"abc", L"*b", false},
        {L"abc", L"b*", false},
        {L"abc", L"ab", false},
        {L"ab", L"abc", false},
        {L"x.exe.bak", L"*.exe", false},
        {L"x.exe", L"*.exe", true},
    });
}

TEST(PatternMatch, Lists) {
    ExpectAll({
        {L"/t:x", L"/[nt]:*", true},   {L"/n:", L"/[nt]:*", true},
        {L"/x:x", L"/[nt]:*", false},  {L"/:x", L"/[nt]:*", false},
        {L"/nt:x", L"/[nt]:*", false}, {L"b", L"[a-c]", true},
        {L"a", L"[a-c]", true},        {L"c", L"[a-c]", true},
        {L"d", L"[a-c]", false},       {L"`", L"[a-c]", false},
        {L"d", L"[!a-c]", true},       {L"b", L"[!a-c]", false},
        {L"", L"[!a-c]", false},       {L"y", L"[a-cx-z]", true},
        {L"m", L"[a-cx-z]", false},    {L"5", L"[!0-9]", false},
        {L"x", L"[!0-9]", true},       {L"k", L"[ak-m]", true},
        {L"b", L"[ak-m]", false},      {L"a", L"[a-a]", true},
        {L"ab", L"[ab]", false},       {L"x1", L"[!a-c]#", true},
        {L"-", L"[a-]", true},         {L"a", L"[a-]", true},
        {L"-", L"[-a]", true},         {L"0", L"[*-?]", true}, // '*' .. '?' spans the digits
        {L"!", L"[!]", true},          {L"x", L"[!]", false},
        {L"x", L"[!!]", true},         {L"!", L"[!!]", false},
        {L"ab", L"a[]b", true},        {L"", L"[]", true},
        {L"x", L"[]", false},          {L"]", L"]", true},
        {L"]", L"[]]", true},
    });
}

TEST(PatternMatch, BracketedSpecialCharactersMatchThemselves) {
    ExpectAll({
        {L"*", L"[*]", true},
        {L"x", L"[*]", false},
        {L"", L"[*]", false},
        {L"**", L"[*]", false},
        {L"?", L"[?]", true},
        {L"x", L"[?]", false},
        {L"#", L"[#]", true},
        {L"5", L"[#]", false},
        {L"[", L"[[]", true},
        {L"x", L"[[]", false},
        {L"a*b", L"a[*]b", true},
        {L"axb", L"a[*]b", false},
        {L"what?", L"*[?]", true},
        {L"what!", L"*[?]", false},
        {L"#1", L"[#]#", true},
        {L"[x]", L"[[]x]", true},
        {L"a", L"[!*]", true},
        {L"*", L"[!*]", false},
    });
}

TEST(PatternMatch, ComparesCharacterCodesExactly) {
    ExpectAll({
        {L"A", L"a", false},
        {L"a", L"A", false},
        {L"Notepad", L"notepad", false},
        {L"A", L"[a-z]", false},
        {L"a", L"[A-Z]", false},
        {L"A", L"[!a-z]", true},
        {L"/T:x", L"/[nt]:*", false},
        {L"/N:x", L"/[nt]:*", false},
        {L"\u00c9", L"\u00e9", false}, // É against é
        {L"e", L"\u00e9", false},
        {L"\u00a0", L" ", false}, // no-break space is not a space
    });
}

TEST(PatternMatch, NonAsciiText) {
    ExpectAll({
        {L"caf\u00e9", L"caf?", true},
        {L"caf\u00e9", L"caf\u00e9", true},
        {L"caf\u00e9", L"caf[\u00e0-\u00ff]", true},
        {L"cafe", L"caf[\u00e0-\u00ff]", false},
        {L"\u00e9", L"#", false},
        {L"\u0663", L"#", false}, // ARABIC-INDIC DIGIT THREE is no 0-9 digit
        {L"\u043f\u0440\u0438\u0432\u0435\u0442", L"\u043f\u0440\u0438*", true}, // привет / при*
        {L"\u041f\u0440\u0438\u0432\u0435\u0442", L"\u043f\u0440\u0438*", false}, // Привет
        {L"\u0436", L"[\u0430-\u044f]", true},                                    // ж in а-я
        {L"\u0416", L"[\u0430-\u044f]", false},                                   // Ж
        {L"\u0416", L"[!\u0430-\u044f]", true},
        {L"\u6f22\u5b57", L"??", true}, // 漢字
        {L"\u6f22\u5b57", L"?", false},
        {L"\u6f22\u5b57", L"\u6f22*", true},
        {L"\u6f22\u5b57", L"[\u4e00-\u9fa5]\u5b57", true},
        {L"\u6f22\u5b57", L"*\u6f22", false},
        {L"\U0001F600", L"??", true}, // outside the 16-bit range: two code units
        {L"\U0001F600", L"?", false},
    });
}

TEST(PatternMatch, MalformedPatternsMatchNothing) {
    const std::vector<std::wstring> malformed = {
        L"[",  L"[a-",  L"[z-a]", L"[abc", L"a[",     L"[!",      L"[!a",
        L"*[", L"[a-z", L"*[*",   L"[[",   L"[!z-a]", L"x[b-a]*", L"*[a-c][",
    };
    const std::vector<std::wstring> texts = {
        L"", L"[", L"a", L"z", L"x", L"[a-", L"[z-a]", L"abc", L"xyz", L"*", L"[[",
    };
    for (const std::wstring& pattern : malformed) {
        EXPECT_FALSE(PatternMatch(pattern, pattern)) << testing::PrintToString(pattern);
        EXPECT_FALSE(CompiledPattern(pattern).Matches(L"")) << testing::PrintToString(pattern);
        for (const std::wstring& text : texts) {
            EXPECT_FALSE(PatternMatch(text, pattern))
                << "text " << testing::PrintToString(text) << " pattern "
                << testing::PrintToString(pattern);
        }
    }
}

std::wstring Repeat(std::wstring_view piece, size_t count) {
    std::wstring result;
    for (size_t i = 0; i < count; ++i) {
        result += piece;
    }
    return result;
}

// A title is at most 255 characters; patterns with many stars must still answer correctly.
TEST(PatternMatch, LongAndPathologicalPatterns) {
    const std::wstring a255(255, L'a');
    const std::wstring a254b = std::wstring(254, L'a') + L"b";
    ExpectAll({
        {a255, Repeat(L"*a", 100) + L"*b", false},
        {a254b, Repeat(L"*a", 100) + L"*b", true},
        {a255, Repeat(L"*a", 255), true},
        {a255, Repeat(L"*a", 256), false},
        {a255, Repeat(L"a*", 128), true},
        {std::wstring(127, L'a'), Repeat(L"a*", 128), false},
        {a255, std::wstring(1000, L'*'), true},
        {a255, std::wstring(1000, L'*') + L"b", false},
        {a255, Repeat(L"*?", 255), true},
        {a255, Repeat(L"*?", 256), false},
        {a255, std::wstring(255, L'?'), true},
        {std::wstring(254, L'a'), std::wstring(255, L'?'), false},
        {std::wstring(256, L'a'), std::wstring(255, L'?'), false},
        {std::wstring(255, L'7'), std::wstring(255, L'#'), true},
        {std::wstring(254, L'7') + L"x", std::wstring(255, L'#'), false},
        {a255, Repeat(L"*[a-b]", 200) + L"*", true},
        {a254b, Repeat(L"*[!b]", 254) + L"*b", true},
        {a254b, Repeat(L"*[!b]", 255) + L"*b", false},
    });
}

// Lists are searched by halves after their ranges are sorted and joined: overlapping,
// touching, unordered and duplicate ranges, and ranges at both ends of the 16-bit codes.
TEST(PatternMatch, ListsOfManyRanges) {
    ExpectAll({
        {L"d", L"[x-za-ce-g]", false},
        {L"b", L"[x-za-ce-g]", true},
        {L"y", L"[x-za-ce-g]", true},
        {L"f", L"[x-za-ce-g]", true},
        {L"e", L"[a-cd-f]", true},
        {L"g", L"[a-cd-f]", false},
        {L"d", L"[!a-cd-f]", false},
        {L"g", L"[!a-cd-f]", true},
        {L"c", L"[a-ea-eb-c]", true},
        {L"f", L"[a-ea-eb-c]", false},
        {L"m", L"[a-ze-g]", true},
        {L"z", L"[a-ze-g]", true},
        {L"m", L"[e-ga-z]", true},
        {L"\xffff", L"[\xfffe-\xffff]", true},
        {L"\x0001", L"[\x0001\xffff]", true},
        {L"\xfffe", L"[\x0001\xffff]", false},
        {L"\xffff", L"[!\xffff]", false},
        {L"\xfffe", L"[!\xffff]", true},
    });
    // Ten thousand ranges of two characters with a gap after each, given backwards.
    std::wstring list = L"[";
    for (int i = 9999; i >= 0; --i) {
        const auto low = static_cast<wchar_t>(0x100 + 3 * i);
        list += {low, L'-', static_cast<wchar_t>(low + 1)};
    }
    list += L"]";
    ExpectAll({
        {L"x\x0100", L"x" + list, true},
        {L"x\x0101", L"x" + list, true},
        {L"x\x0102", L"x" + list, false},
        {L"x\x762e", L"x" + list, true}, // the last range, 0x762D-0x762E
        {L"x\x762f", L"x" + list, false},
        {L"x\x00ff", L"x" + list, false},
        {L"abc\x1000", L"*" + list, true},
        {L"abc\x1001", L"*" + list, true},
        {L"abc\x1002", L"*" + list, false}, // in a gap
    });
}

// A pattern read once answers every text it is then given as if read afresh.
TEST(CompiledPattern, AnswersEachTextOnItsOwn) {
    struct Reuse {
        std::wstring pattern;
        std::vector<std::pair<std::wstring, bool>> texts;
    };
    const std::vector<Reuse> cases = {
        {L"", {{L"", true}, {L"a", false}, {L"", true}}},
        {L"*[a-c]x", {{L"ax", true}, {L"dx", false}, {L"zzcx", true}, {L"ax", true}}},
        {L"?#", {{L"a1", true}, {L"a", false}, {L"ab", false}, {L"b2", true}}},
        {L"*a*b", {{L"aab", true}, {L"ba", false}, {L"xaxb", true}, {L"b", false}}},
        {L"[!", {{L"", false}, {L"[!", false}, {L"a", false}}},
    };
    for (const Reuse& c : cases) {
        const CompiledPattern compiled(c.pattern);
        for (const auto& [text, matches] : c.texts) {
            EXPECT_EQ(compiled.Matches(text), matches)
                << "text " << testing::PrintToString(text) << " pattern "
                << testing::PrintToString(c.pattern);
        }
    }
    EXPECT_TRUE(CompiledPattern().Matches(L""));
    EXPECT_FALSE(CompiledPattern().Matches(L"a"));
}

} // namespace
