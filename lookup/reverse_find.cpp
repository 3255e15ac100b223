#include "lookup/reverse_find.h"

#include "common/platform_calls.h"

#include <windows.h>

namespace modGeneral {

bool TextsEqual(std::wstring_view a, std::wstring_view b, CompareMode mode) {
    if (mode == CompareMode::Binary || a.empty() || b.empty()) {
        return a == b;
    }
    return skorvelin::TextsEqualIgnoringCase(a, b);
}

long ReverseFind(std::wstring_view text, std::wstring_view sought, long start, CompareMode mode) {
    const long textLength = static_cast<long>(text.size());
    const long soughtLength = static_cast<long>(sought.size());
    // From the end the first candidate begins at the last character, so the first few
    // comparisons meet shorter tails of the text; they cannot match and cost little.
    const long first = start == -1 ? textLength : start + 1 - soughtLength;
    for (long position = first; position >= 1; --position) {
        const size_t offset = static_cast<size_t>(position - 1);
        const std::wstring_view candidate =
            offset < text.size() ? text.substr(offset, sought.size()) : std::wstring_view{};
        if (TextsEqual(candidate, sought, mode)) {
            return position;
        }
    }
    return 0;
}

} // namespace modGeneral
