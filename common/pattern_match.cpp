#include "common/pattern_match.h"

#include <algorithm>

namespace skorvelin {

CompiledPattern::CompiledPattern(std::wstring_view pattern) {
    malformed_ = !Compile(pattern);
    if (malformed_) {
        tokens_.clear();
        ranges_.clear();
    }
    minimumLength_ =
        static_cast<size_t>(std::count_if(tokens_.begin(), tokens_.end(), [](const Token& token) {
            return token.kind != Token::Kind::Star;
        }));
}

// Parses the list that starts after '[' at `pos`; on success `pos` is left after its ']'.
// Answers false for a malformed list; the empty list "[]" gives a token without ranges.
bool CompiledPattern::ParseList(std::wstring_view pattern, size_t& pos, Token& list) {
    list.kind = Token::Kind::List;
    list.first = ranges_.size();
    if (pos < pattern.size() && pattern[pos] == L'!' && pos + 1 < pattern.size() &&
        pattern[pos + 1] != L']') {
        list.negated = true;
        ++pos;
    }
    while (pos < pattern.size() && pattern[pos] != L']') {
        const wchar_t low = pattern[pos++];
        wchar_t high = low;
        if (pos + 1 < pattern.size() && pattern[pos] == L'-' && pattern[pos + 1] != L']') {
            high = pattern[pos + 1];
            pos += 2;
            if (high < low) {
                return false;
            }
        }
        ranges_.push_back({low, high});
    }
    if (pos >= pattern.size()) {
        return false; // no closing bracket
    }
    ++pos;

    // Sorted by their low ends and with overlapping or touching ranges joined, the ranges
    // can be searched by halves. A heap sort keeps the time in n log n, as the library's general
    // sort does, for a fraction of its code.
    const auto begin = ranges_.begin() + static_cast<std::ptrdiff_t>(list.first);
    const auto byLowEnd = [](const Range& a, const Range& b) { return a.low < b.low; };
    std::make_heap(begin, ranges_.end(), byLowEnd);
    std::sort_heap(begin, ranges_.end(), byLowEnd);
    if (begin != ranges_.end()) {
        auto last = begin;
        for (auto next = begin + 1; next != ranges_.end(); ++next) {
            if (static_cast<unsigned long>(next->low) <=
                static_cast<unsigned long>(last->high) + 1) {
                last->high = std::max(last->high, next->high);
            } else {
                *++last = *next;
            }
        }
        ranges_.erase(last + 1, ranges_.end());
    }
    list.count = ranges_.size() - list.first;
    return true;
}

bool CompiledPattern::Compile(std::wstring_view pattern) {
    // Never more than one token per pattern character.
    tokens_.reserve(pattern.size());
    size_t pos = 0;
    while (pos < pattern.size()) {
        const wchar_t c = pattern[pos++];
        switch (c) {
        case L'*':
            // Consecutive stars mean the same as one; keeping one keeps the matcher linear.
            if (tokens_.empty() || tokens_.back().kind != Token::Kind::Star) {
                tokens_.push_back({Token::Kind::Star});
            }
            break;
        case L'?':
            tokens_.push_back({Token::Kind::AnyOne});
            break;
        case L'#':
            tokens_.push_back({Token::Kind::Digit});
            break;
        case L'[': {
            Token list{Token::Kind::List};
            if (!ParseList(pattern, pos, list)) {
                return false;
            }
            if (list.count > 0) {
                tokens_.push_back(list);
            }
            break;
        }
        default:
            tokens_.push_back({Token::Kind::Literal, c});
            break;
        }
    }
    return true;
}

bool CompiledPattern::Accepts(const Token& token, wchar_t c) const {
    switch (token.kind) {
    case Token::Kind::AnyOne:
        return true;
    case Token::Kind::Digit:
        return c >= L'0' && c <= L'9';
    case Token::Kind::Literal:
        return c == token.literal;
    case Token::Kind::List: {
        const auto begin = ranges_.begin() + static_cast<std::ptrdiff_t>(token.first);
        const auto end = begin + static_cast<std::ptrdiff_t>(token.count);
        // The last range that starts at or before c is the only one that can hold it.
        const auto after = std::upper_bound(
            begin, end, c, [](wchar_t value, const Range& range) { return value < range.low; });
        const bool inList = after != begin && c <= (after - 1)->high;
        return inList != token.negated;
    }
    case Token::Kind::Star:
        break;
    }
    return false;
}

bool CompiledPattern::Matches(std::wstring_view text) const {
    if (malformed_ || text.size() < minimumLength_) {
        return false;
    }
    // Every token but the star takes exactly one character, so remembering only the latest
    // star is enough: on a mismatch that star absorbs one more character and matching resumes.
    size_t t = 0;
    size_t p = 0;
    size_t starToken = tokens_.size();
    size_t starText = 0;
    while (t < text.size()) {
        if (p < tokens_.size() && tokens_[p].kind == Token::Kind::Star) {
            starToken = p++;
            starText = t;
        } else if (p < tokens_.size() &&
                   // Most of a pattern is plain characters: compared here, not in a call.
                   (tokens_[p].kind == Token::Kind::Literal ? tokens_[p].literal == text[t]
                                                            : Accepts(tokens_[p], text[t]))) {
            ++p;
            ++t;
        } else if (starToken != tokens_.size()) {
            p = starToken + 1;
            t = ++starText;
        } else {
            return false;
        }
    }
    while (p < tokens_.size() && tokens_[p].kind == Token::Kind::Star) {
        ++p;
    }
    return p == tokens_.size();
}

bool PatternMatch(std::wstring_view text, std::wstring_view pattern) {
    return CompiledPattern(pattern).Matches(text);
}

} // namespace skorvelin
