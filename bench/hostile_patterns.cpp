#include "bench/hostile_patterns.h"

namespace skorvelin::bench {
namespace {

// The first character of the ranges that fill the lists: past Latin and well below the
// surrogates, so that thousands of distinct two-character ranges fit.
constexpr wchar_t kFillerStart = 0x0100;

// A list that accepts every character of a bench title (letters, digits, blank, dash) and then
// `fillers` more ranges of two characters each, all distinct.
std::wstring TitleList(size_t fillers, size_t& ranges) {
    std::wstring list = L"[a-z0-9 -";
    for (size_t i = 0; i < fillers; ++i) {
        const auto low = static_cast<wchar_t>(kFillerStart + 3 * i);
        list += low;
        list += L'-';
        list += static_cast<wchar_t>(low + 1);
    }
    list += L']';
    ranges += 4 + fillers;
    return list;
}

} // namespace

std::vector<HostilePattern> HostilePatterns() {
    std::vector<HostilePattern> patterns;
    // Every attempt of the star meets a list of thousands of ranges; '~' ends no title.
    {
        size_t ranges = 0;
        std::wstring pattern = L"*" + TitleList((kHostilePatternLength - 12) / 3, ranges) + L"~";
        patterns.push_back({"*[a-z0-9 - and " + std::to_string(ranges - 4) + " more]~",
                            std::move(pattern), 1, ranges});
    }
    // Twenty stars, each before such a list: fewer lists than a title has characters, so the
    // title must be walked to know.
    {
        constexpr size_t kLists = 20;
        size_t ranges = 0;
        std::wstring pattern;
        const size_t fillers = (kHostilePatternLength / kLists - 12) / 3;
        for (size_t i = 0; i < kLists; ++i) {
            pattern += L"*" + TitleList(fillers, ranges);
        }
        pattern += L"*~";
        patterns.push_back({"(*[a-z0-9 - and " + std::to_string(fillers) + " more]) x20, *~",
                            std::move(pattern), kLists + 1, ranges});
    }
    // Thousands of stars.
    {
        std::wstring pattern;
        while (pattern.size() + 3 <= kHostilePatternLength) {
            pattern += L"*?";
        }
        pattern += L"*~";
        const size_t stars = pattern.size() / 2;
        patterns.push_back(
            {"(*?) x" + std::to_string(stars - 1) + ", *~", std::move(pattern), stars, 0});
    }
    // Thousands of stars, each with a list of ranges.
    {
        std::wstring pattern;
        size_t ranges = 0;
        size_t stars = 0;
        while (pattern.size() + 12 <= kHostilePatternLength) {
            pattern += L"*[a-z0-9 -]";
            ranges += 4;
            ++stars;
        }
        pattern += L"*~";
        patterns.push_back({"(*[a-z0-9 -]) x" + std::to_string(stars) + ", *~", std::move(pattern),
                            stars + 1, ranges});
    }
    // As many stars in a row: they mean one.
    patterns.push_back({"* x" + std::to_string(kHostilePatternLength - 1) + ", ~",
                        std::wstring(kHostilePatternLength - 1, L'*') + L"~",
                        kHostilePatternLength - 1, 0});
    return patterns;
}

} // namespace skorvelin::bench
