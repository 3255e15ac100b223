#include "app/command_line.h"

#include "common/pattern_match.h"
#include "common/platform_text.h"

#include <algorithm>

namespace skorvelin {
namespace {

std::wstring_view TrimBlanks(std::wstring_view text) {
    const size_t first = text.find_first_not_of(L' ');
    if (first == std::wstring_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(L' ') - first + 1);
}

} // namespace

std::wstring ArgumentPart(std::wstring_view commandLine) {
    size_t pos = 0;
    if (!commandLine.empty() && commandLine[0] == L'"') {
        const size_t closing = commandLine.find(L'"', 1);
        pos = closing == std::wstring_view::npos ? commandLine.size() : closing + 1;
    } else {
        pos = std::min(commandLine.find_first_of(L" \t"), commandLine.size());
    }
    if (pos < commandLine.size() && (commandLine[pos] == L' ' || commandLine[pos] == L'\t')) {
        ++pos; // the separator itself
    }
    return std::wstring(commandLine.substr(pos));
}

std::wstring CommandText(std::wstring_view argumentPart) {
    const std::wstring lowered = LowerCase(std::wstring(argumentPart));
    return std::wstring(TrimBlanks(lowered));
}

std::optional<Command> ParseCommand(std::wstring_view commandText) {
    if (commandText.empty() || !PatternMatch(commandText, L"/[nt]:*")) {
        return std::nullopt;
    }
    const std::wstring_view argument = commandText.substr(3);
    const size_t first = argument.find_first_not_of(L' ');
    Command command{commandText[1] == L't' ? Command::Method::ByTitle : Command::Method::ByName,
                    std::wstring(first == std::wstring_view::npos ? std::wstring_view{}
                                                                  : argument.substr(first))};
    return command;
}

} // namespace skorvelin
