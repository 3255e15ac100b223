// The command-line reading, from a whole command line to a command or the help window.
// Properties: nothing crashes; the arguments are the tail of the command line; the command text
// has no blank at either end; a command is recognised exactly when the text starts with "/t:"
// or "/n:", its method follows that letter, and its argument is the rest of the text without
// a leading blank.
#include "app/command_line.h"
#include "fuzz/fuzz_input.h"

#include <algorithm>

namespace {

bool StartsWithCommand(const std::wstring& text, wchar_t letter) {
    return text.size() >= 3 && text[0] == L'/' && text[1] == letter && text[2] == L':';
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using skorvelin::Command;
    const std::wstring line = fuzz::TextOf(data, size);

    const std::wstring arguments = skorvelin::ArgumentPart(line);
    if (arguments.size() > line.size() ||
        line.compare(line.size() - arguments.size(), arguments.size(), arguments) != 0) {
        fuzz::Fail("the arguments are not the end of the command line", line, arguments);
    }

    const std::wstring text = skorvelin::CommandText(arguments);
    if (!text.empty() && (text.front() == L' ' || text.back() == L' ')) {
        fuzz::Fail("the command text keeps a blank at one end", arguments, text);
    }

    const std::optional<Command> command = skorvelin::ParseCommand(text);
    const bool byTitle = StartsWithCommand(text, L't');
    const bool byName = StartsWithCommand(text, L'n');
    if (command.has_value() != (byTitle || byName)) {
        fuzz::Fail(command ? "a command without /t: or /n:" : "/t: or /n: not taken as a command",
                   text);
    }
    if (!command) {
        return 0;
    }
    if ((command->method == Command::Method::ByTitle) != byTitle) {
        fuzz::Fail("the method does not follow the prefix", text);
    }
    const std::wstring& argument = command->argument;
    if (!argument.empty() && argument.front() == L' ') {
        fuzz::Fail("the argument starts with a blank", text, argument);
    }
    const size_t rest = std::min(text.find_first_not_of(L' ', 3), text.size());
    if (argument != text.substr(rest)) {
        fuzz::Fail("the argument is not the rest of the text", text, argument);
    }
    return 0;
}
