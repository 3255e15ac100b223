#pragma once
// Title patterns as long as a command line allows, built to make a window search slow: lists of
// thousands of ranges, thousands of stars. None matches a bench window's title.
#include <string>
#include <vector>

namespace skorvelin::bench {

// Characters of a pattern that still fits on a command line after the program's path and "/t:".
inline constexpr size_t kHostilePatternLength = 32000;

struct HostilePattern {
    std::string shape;
    std::wstring pattern;
    size_t stars;
    size_t ranges;
};

std::vector<HostilePattern> HostilePatterns();

} // namespace skorvelin::bench
