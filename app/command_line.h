#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace skorvelin {

// What follows the program's own name on a command line, taken whole. The name ends at its
// closing quote when it starts with one, otherwise at the first blank or tab; the single
// blank or tab that separates it from the arguments is not part of them.
std::wstring ArgumentPart(std::wstring_view commandLine);

// The argument part lower-cased and stripped of leading and trailing U+0020 (tabs stay).
std::wstring CommandText(std::wstring_view argumentPart);

struct Command {
    enum class Method { ByTitle, ByName } method;
    std::wstring argument; // the title pattern or the executable name, in lower case
};

// "/t:..." or "/n:..." with its argument (leading blanks removed); nothing for any other text,
// which asks for the help window.
std::optional<Command> ParseCommand(std::wstring_view commandText);

} // namespace skorvelin
