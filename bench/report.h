#pragma once
// Output of the benchmark: Markdown tables, readable in a console and ready for docs/figures.md.
#include <string>
#include <vector>

namespace skorvelin::bench {

// A duration with three significant digits and a unit chosen for it: "812 ns", "3.41 us".
std::string Duration(double seconds);
// A whole number with thousands separators: "1,234,567".
std::string Count(double value);
// A factor with two decimals: "x1.93".
std::string Factor(double value);
// A share in percent with one decimal: "12.5 %".
std::string Percent(double share);
// Text shown as code, so that Markdown leaves stars and brackets alone.
std::string Code(const std::string& text);

class Table {
  public:
    struct Column {
        std::string name;
        bool alignRight;
    };
    explicit Table(std::vector<Column> columns) : columns_(std::move(columns)) {}

    void Add(std::vector<std::string> cells) { rows_.push_back(std::move(cells)); }
    // Prints the title as a heading, then the table with its columns padded to one width.
    void Print(const std::string& title) const;

  private:
    std::vector<Column> columns_;
    std::vector<std::vector<std::string>> rows_;
};

// A measured result that contradicts what the case was built for (a pattern that matches
// when it must not, a window search that finds the wrong window): the figures beside it mean
// nothing. Reported at once; the program then ends with a failure status.
void ReportFault(const std::string& what);
bool AnyFault();

} // namespace skorvelin::bench
