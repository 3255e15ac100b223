#include "common/pattern_match.h"

#include <optional>
#include <vector>

namespace skorvelin {
namespace {

struct Range {
    wchar_t low;
    wchar_t high;
};

// One element of a compiled pattern: a star, or a matcher of exactly one character.
struct Token {
    enum class Kind { Star, AnyOne, Digit, List, Literal };
    explicit Token(Kind k, wchar_t c = 0) : kind(k), literal(c) {}

    Kind kind;
    wchar_t literal;
    bool negated = false;
    std::vector<Range> ranges;

    bool Accepts(wchar_t c) const {
        switch (kind) {
        case Kind::AnyOne:
            return true;
        case Kind::Digit:
            return c >= L'0' && c <= L'9';
        case Kind::Literal:
            return c == literal;
        case Kind::List: {
            bool inList = false;
            for (const Range& range : ranges) {
                if (c >= range.low && c <= range.high) {
                    inList = true;
                    break;
                }
            }
            return inList != negated;
        }
        case Kind::Star:
            break;
        }
        return false;
    }
};

// Parses the list that starts after '[' at `pos`; on success `pos` is left after its ']'.
// Answers nullopt for a malformed list, and a token without ranges for the empty list "[]".
std::optional<Token> ParseList(std::wstring_view pattern, size_t& pos) {
    Token token(Token::Kind::List);
    if (pos < pattern.size() && pattern[pos] == L'!' && pos + 1 < pattern.size() &&
        pattern[pos + 1] != L']') {
        token.negated = true;
        ++pos;
    }
    while (pos < pattern.size() && pattern[pos] != L']') {
        const wchar_t low = pattern[pos++];
        wchar_t high = low;
        if (pos + 1 < pattern.size() && pattern[pos] == L'-' && pattern[pos + 1] != L']') {
            high = pattern[pos + 1];
            pos += 2;
            if (high < low) {
                return std::nullopt;
            }
        }
        token.ranges.push_back({low, high});
    }
    if (pos >= pattern.size()) {
        return std::nullopt; // no closing bracket
    }
    ++pos;
    return token;
}

std::optional<std::vector<Token>> Compile(std::wstring_view pattern) {
    std::vector<Token> tokens;
    // The window search compiles the pattern once per title: growing the list one doubling at
    // a time cost more than matching a short title. There is never more than one token per
    // pattern character.
    tokens.reserve(pattern.size());
    size_t pos = 0;
    while (pos < pattern.size()) {
        const wchar_t c = pattern[pos++];
        switch (c) {
        case L'*':
            // Consecutive stars mean the same as one; keeping one keeps the matcher linear.
            if (tokens.empty() || tokens.back().kind != Token::Kind::Star) {
                tokens.emplace_back(Token::Kind::Star);
            }
            break;
        case L'?':
            tokens.emplace_back(Token::Kind::AnyOne);
            break;
        case L'#':
            tokens.emplace_back(Token::Kind::Digit);
            break;
        case L'[': {
            std::optional<Token> list = ParseList(pattern, pos);
            if (!list) {
                return std::nullopt;
            }
            if (!list->ranges.empty()) {
                tokens.push_back(std::move(*list));
            }
            break;
        }
        default:
            tokens.emplace_back(Token::Kind::Literal, c);
            break;
        }
    }
    return tokens;
}

} // namespace

bool PatternMatch(std::wstring_view text, std::wstring_view pattern) {
    const std::optional<std::vector<Token>> compiled = Compile(pattern);
    if (!compiled) {
        return false;
    }
    const std::vector<Token>& tokens = *compiled;

    // Every token but the star takes exactly one character, so remembering only the latest
    // star is enough: on a mismatch that star absorbs one more character and matching resumes.
    size_t t = 0;
    size_t p = 0;
    size_t starToken = tokens.size();
    size_t starText = 0;
    while (t < text.size()) {
        if (p < tokens.size() && tokens[p].kind == Token::Kind::Star) {
            starToken = p++;
            starText = t;
        } else if (p < tokens.size() && tokens[p].Accepts(text[t])) {
            ++p;
            ++t;
        } else if (starToken != tokens.size()) {
            p = starToken + 1;
            t = ++starText;
        } else {
            return false;
        }
    }
    while (p < tokens.size() && tokens[p].kind == Token::Kind::Star) {
        ++p;
    }
    return p == tokens.size();
}

} // namespace skorvelin
