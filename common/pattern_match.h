#pragma once
#include <cstddef>
#include <string_view>
#include <vector>

namespace skorvelin {

// Whole-text wildcard match, comparing 16-bit character codes exactly (no case folding):
//   *        any run of characters, including none
//   ?        exactly one character
//   #        one decimal digit 0-9
//   [list]   one character of the list; ranges such as a-z; a leading ! negates the list
//            (unless the ! is all the list holds: [!] is the character ! itself);
//            [*] [?] [#] [[] match those characters themselves; [] matches nothing at all
//            (it stands for no character) and is skipped
//   other    the character itself
// A malformed pattern (an unclosed list, a reversed range) matches no text.
// Runs in time proportional to text length times pattern length at worst.
bool PatternMatch(std::wstring_view text, std::wstring_view pattern);

// A pattern read once and matched against many texts, as a search over every window does:
// reading a pattern of thousands of characters costs far more than matching one short title.
// Matches(text) answers as PatternMatch(text, pattern) would.
class CompiledPattern {
  public:
    explicit CompiledPattern(std::wstring_view pattern = {});

    bool Matches(std::wstring_view text) const;

  private:
    struct Range {
        wchar_t low;
        wchar_t high;
    };
    // A star, or a matcher of exactly one character. A list's ranges are kept sorted and
    // merged in ranges_, from `first` for `count`, so that a list of thousands of ranges is
    // searched, not walked.
    struct Token {
        enum class Kind { Star, AnyOne, Digit, List, Literal } kind;
        wchar_t literal = 0;
        bool negated = false;
        size_t first = 0;
        size_t count = 0;
    };

    bool Compile(std::wstring_view pattern);
    bool ParseList(std::wstring_view pattern, size_t& pos, Token& list);
    bool Accepts(const Token& token, wchar_t c) const;

    std::vector<Token> tokens_;
    std::vector<Range> ranges_;
    bool malformed_ = false;
    // Characters a matching text has at least: one per token other than a star.
    size_t minimumLength_ = 0;
};

} // namespace skorvelin
