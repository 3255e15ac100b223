#include "common/pattern_match.h"

#include <gtest/gtest.h>

namespace {

struct Case {
    const wchar_t* text;
    const wchar_t* pattern;
    bool matches;
};

TEST(PatternMatch, Syntax) {
    const Case cases[] = {
        {L"", L"", true},
        {L"a", L"", false},
        {L"", L"*", true},
        {L"untitled - notepad", L"*notepad*", true},
        {L"foo - bar", L"foo", false},
        {L"foo", L"f?o", true},
        {L"fo", L"f?o", false},
        {L"/t:x", L"/[nt]:*", true},
        {L"/x:x", L"/[nt]:*", false},
        {L"/T:x", L"/[nt]:*", false},
        {L"a1", L"a#", true},
        {L"ab", L"a#", false},
        {L"b", L"[a-c]", true},
        {L"d", L"[a-c]", false},
        {L"d", L"[!a-c]", true},
        {L"b", L"[!a-c]", false},
        {L"*", L"[*]", true},
        {L"x", L"[*]", false},
        {L"?", L"[?]", true},
        {L"#", L"[#]", true},
        {L"[", L"[[]", true},
        {L"-", L"[a-]", true},
        {L"!", L"[!]", true},
        {L"ab", L"a[]b", true},
        {L"]", L"]", true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(skorvelin::PatternMatch(c.text, c.pattern), c.matches)
            << "text '" << testing::PrintToString(std::wstring(c.text)) << "' pattern '"
            << testing::PrintToString(std::wstring(c.pattern)) << "'";
    }
}

} // namespace
