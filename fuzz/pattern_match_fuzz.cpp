// The wildcard match against a reference matcher that follows the syntax word for word by
// plain backtracking (remembered per position pair, so that many stars stay affordable).
// Input: the text, a zero byte, the pattern; the pattern is also tried on a second text, to
// check that a compiled pattern answers alike for every text it is given.
#include "common/pattern_match.h"
#include "fuzz/fuzz_input.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace {

// The reference's limits: it is only as fast as it is simple.
constexpr size_t kMaxText = 64;
constexpr size_t kMaxPattern = 256;

struct List {
    bool negated = false;
    std::vector<std::pair<wchar_t, wchar_t>> ranges;
    size_t end = 0; // just after the closing bracket
};

// The list that opens at `open` ('['): its content runs to the first ']' after the bracket.
// Content "!x..." (at least one character after the !) is negated; in what remains, "a-z" is a
// range when the '-' and its upper end are both inside the content. Nothing when there is no
// closing bracket or a range runs backwards.
std::optional<List> ReadList(const std::wstring& pattern, size_t open) {
    const size_t close = pattern.find(L']', open + 1);
    if (close == std::wstring::npos) {
        return std::nullopt;
    }
    std::wstring content = pattern.substr(open + 1, close - open - 1);
    List list;
    list.end = close + 1;
    if (content.size() >= 2 && content[0] == L'!') {
        list.negated = true;
        content.erase(0, 1);
    }
    for (size_t i = 0; i < content.size();) {
        if (i + 2 < content.size() && content[i + 1] == L'-') {
            if (content[i + 2] < content[i]) {
                return std::nullopt;
            }
            list.ranges.emplace_back(content[i], content[i + 2]);
            i += 3;
        } else {
            list.ranges.emplace_back(content[i], content[i]);
            i += 1;
        }
    }
    return list;
}

bool Malformed(const std::wstring& pattern) {
    for (size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == L'[') {
            const std::optional<List> list = ReadList(pattern, i);
            if (!list) {
                return true;
            }
            i = list->end - 1;
        }
    }
    return false;
}

class Reference {
  public:
    Reference(const std::wstring& text, const std::wstring& pattern)
        : text_(text), pattern_(pattern), memo_((text.size() + 1) * (pattern.size() + 1), -1) {}

    bool Matches() { return !Malformed(pattern_) && From(0, 0); }

  private:
    // Does text_ from t on match pattern_ from p on?
    bool From(size_t t, size_t p) {
        signed char& known = memo_[t * (pattern_.size() + 1) + p];
        if (known < 0) {
            known = Compute(t, p) ? 1 : 0;
        }
        return known == 1;
    }

    bool Compute(size_t t, size_t p) {
        if (p == pattern_.size()) {
            return t == text_.size();
        }
        const bool more = t < text_.size();
        const wchar_t c = more ? text_[t] : 0;
        switch (pattern_[p]) {
        case L'*':
            return From(t, p + 1) || (more && From(t + 1, p));
        case L'?':
            return more && From(t + 1, p + 1);
        case L'#':
            return more && c >= L'0' && c <= L'9' && From(t + 1, p + 1);
        case L'[': {
            const List list = *ReadList(pattern_, p);
            if (list.ranges.empty()) {
                return From(t, list.end); // "[]" stands for no character
            }
            const bool inList =
                std::any_of(list.ranges.begin(), list.ranges.end(),
                            [c](const auto& r) { return c >= r.first && c <= r.second; });
            return more && inList != list.negated && From(t + 1, list.end);
        }
        default:
            return more && c == pattern_[p] && From(t + 1, p + 1);
        }
    }

    const std::wstring& text_;
    const std::wstring& pattern_;
    std::vector<signed char> memo_;
};

void Check(const skorvelin::CompiledPattern& compiled, const std::wstring& text,
           const std::wstring& pattern) {
    const bool expected = Reference(text, pattern).Matches();
    if (skorvelin::PatternMatch(text, pattern) != expected) {
        fuzz::Fail(expected ? "PatternMatch misses a match" : "PatternMatch matches wrongly", text,
                   pattern);
    }
    if (compiled.Matches(text) != expected) {
        fuzz::Fail("the compiled pattern answers otherwise", text, pattern);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::wstring input = fuzz::TextOf(data, size);
    const size_t split = std::min(input.find(L'\0'), input.size());
    const std::wstring text = input.substr(0, split);
    const std::wstring pattern = split < input.size() ? input.substr(split + 1) : std::wstring();
    if (text.size() > kMaxText || pattern.size() > kMaxPattern) {
        // Beyond the reference's reach only the absence of faults is checked.
        (void)skorvelin::PatternMatch(text, pattern);
        return 0;
    }
    const skorvelin::CompiledPattern compiled(pattern);
    Check(compiled, text, pattern);
    // The pattern against itself: the text with the most brackets and stars it could meet.
    Check(compiled, pattern, pattern);
    return 0;
}
