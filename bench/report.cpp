#include "bench/report.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace skorvelin::bench {
namespace {

bool gFault = false;

std::string Formatted(const char* format, double value) {
    char buffer[64];
    std::snprintf(buffer, sizeof(buffer), format, value);
    return buffer;
}

// Three significant digits: 1.23, 12.3 or 123.
std::string ThreeDigits(double value) {
    if (value < 10) {
        return Formatted("%.2f", value);
    }
    if (value < 100) {
        return Formatted("%.1f", value);
    }
    return Formatted("%.0f", value);
}

std::string Padded(const std::string& text, size_t width, bool alignRight) {
    const std::string padding(width > text.size() ? width - text.size() : 0, ' ');
    return alignRight ? padding + text : text + padding;
}

} // namespace

std::string Duration(double seconds) {
    struct Unit {
        double scale;
        const char* name;
    };
    // 999.7 ns would print as "1000 ns": from 999.5 on, the next unit up reads better.
    for (const Unit unit : {Unit{1e-9, "ns"}, Unit{1e-6, "us"}, Unit{1e-3, "ms"}}) {
        if (seconds / unit.scale < 999.5) {
            return ThreeDigits(seconds / unit.scale) + " " + unit.name;
        }
    }
    return ThreeDigits(seconds) + " s";
}

std::string Count(double value) {
    std::string digits = Formatted("%.0f", std::round(value));
    for (ptrdiff_t at = static_cast<ptrdiff_t>(digits.size()) - 3; at > 0; at -= 3) {
        digits.insert(static_cast<size_t>(at), ",");
    }
    return digits;
}

std::string Factor(double value) {
    return "x" + Formatted("%.2f", value);
}

std::string Percent(double share) {
    return Formatted("%.1f", share * 100) + " %";
}

std::string Code(const std::string& text) {
    return "`" + text + "`";
}

void Table::Print(const std::string& title) const {
    std::vector<size_t> widths;
    for (const Column& column : columns_) {
        widths.push_back(std::max<size_t>(column.name.size(), 3));
    }
    for (const std::vector<std::string>& row : rows_) {
        for (size_t c = 0; c < row.size() && c < widths.size(); ++c) {
            widths[c] = std::max(widths[c], row[c].size());
        }
    }
    std::string text = "\n### " + title + "\n\n|";
    for (size_t c = 0; c < columns_.size(); ++c) {
        text += " " + Padded(columns_[c].name, widths[c], columns_[c].alignRight) + " |";
    }
    text += "\n|";
    for (size_t c = 0; c < columns_.size(); ++c) {
        const std::string dashes(widths[c] - 1, '-');
        text += columns_[c].alignRight ? " " + dashes + ": |" : " :" + dashes + " |";
    }
    text += "\n";
    for (const std::vector<std::string>& row : rows_) {
        text += "|";
        for (size_t c = 0; c < columns_.size(); ++c) {
            const std::string cell = c < row.size() ? row[c] : std::string();
            text += " " + Padded(cell, widths[c], columns_[c].alignRight) + " |";
        }
        text += "\n";
    }
    std::fputs(text.c_str(), stdout);
    std::fflush(stdout);
}

void ReportFault(const std::string& what) {
    gFault = true;
    std::fprintf(stderr, "FAULT: %s\n", what.c_str());
    std::fflush(stderr);
}

bool AnyFault() {
    return gFault;
}

} // namespace skorvelin::bench
