#include "bench/report.h"
#include "bench/sections.h"
#include "bench/timing.h"
#include "common/pattern_match.h"

#include <string>

namespace skorvelin::bench {
namespace {

// The longest title the window search reads.
constexpr size_t kTitleLength = 255;

std::wstring Repeat(std::wstring_view piece, int times) {
    std::wstring text;
    for (int i = 0; i < times; ++i) {
        text += piece;
    }
    return text;
}

// A family of patterns that grow with `size`. Against 255 'a's none matches, and each can
// only fail at its very end; against 254 'a's and a 'b' each matches.
struct Family {
    const char* shape;
    bool sizeCountsStars; // otherwise the size counts the one-character items after one star
    std::wstring (*build)(int size);
};

const Family kFamilies[] = {
    {"*a*a...*a*b", true, [](int stars) { return Repeat(L"*a", stars - 1) + L"*b"; }},
    {"*?*?...*?*b", true, [](int stars) { return Repeat(L"*?", stars - 1) + L"*b"; }},
    {"*[a-c]*[a-c]...*[!a]", true,
     [](int stars) { return Repeat(L"*[a-c]", stars - 1) + L"*[!a]"; }},
    // One star before a long run: every start the star tries meets the run again, the most
    // work the matcher can be made to do per title character.
    {"*aa...ab", false, [](int run) { return L"*" + Repeat(L"a", run) + L"b"; }},
    {"*[a-c][a-c]...[!a]", false, [](int run) { return L"*" + Repeat(L"[a-c]", run) + L"[!a]"; }},
};

const int kSizes[] = {25, 50, 100, 200};

} // namespace

void PatternWorstCases() {
    const std::wstring missTitle(kTitleLength, L'a');
    const std::wstring hitTitle = std::wstring(kTitleLength - 1, L'a') + L'b';

    Table table({{"pattern (255 'a', no match)", false},
                 {"stars", true},
                 {"length", true},
                 {"per call", true},
                 {"calls/s", true},
                 {"vs half the size", true},
                 {"per title x pattern char", true}});
    for (const Family& family : kFamilies) {
        double previous = 0;
        for (const int size : kSizes) {
            const std::wstring pattern = family.build(size);
            const std::string label =
                std::string(family.shape) +
                (family.sizeCountsStars ? "" : ", run of " + std::to_string(size));
            if (PatternMatch(missTitle, pattern) || !PatternMatch(hitTitle, pattern)) {
                ReportFault("pattern " + label + " answers the wrong way");
            }
            volatile bool sink = false;
            const double perCall = SecondsPerCall([&] { sink = PatternMatch(missTitle, pattern); });
            const int stars = family.sizeCountsStars ? size : 1;
            table.Add({Code(label), std::to_string(stars), std::to_string(pattern.size()),
                       Duration(perCall), Count(1 / perCall),
                       previous > 0 ? Factor(perCall / previous) : "",
                       // Work bounded by title length times pattern length keeps this flat or
                       // falling as the pattern grows; backtracking over stars would explode.
                       Duration(perCall / static_cast<double>(kTitleLength * pattern.size()))});
            previous = perCall;
        }
    }
    table.Print("Pattern match, worst cases against a 255-character title");
}

} // namespace skorvelin::bench
