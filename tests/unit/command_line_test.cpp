#include "app/command_line.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

using skorvelin::ArgumentPart;
using skorvelin::Command;
using skorvelin::CommandText;
using skorvelin::ParseCommand;
using Method = Command::Method;

TEST(ArgumentPart, SeparatesTheProgramName) {
    struct Case {
        std::wstring commandLine;
        std::wstring arguments;
    };
    const std::vector<Case> cases = {
        {L"", L""},
        {L"skorvelin.exe", L""},
        {L"skorvelin.exe ", L""},
        {L"skorvelin.exe /t:Foo", L"/t:Foo"},
        {L"skorvelin.exe\t/t:Foo", L"/t:Foo"},
        // Only the one separator goes; whatever follows it belongs to the arguments.
        {L"skorvelin.exe  /t:Foo  ", L" /t:Foo  "},
        {L"skorvelin.exe \t/t:Foo", L"\t/t:Foo"},
        {L"skorvelin.exe\t\t/t:Foo", L"\t/t:Foo"},
        {L"skorvelin.exe /t:foo bar \"baz\"", L"/t:foo bar \"baz\""},
        {L"\"skorvelin.exe\"", L""},
        {L"\"skorvelin.exe\" /n:calc.exe", L"/n:calc.exe"},
        {L"\"C:\\Program Files\\Skorvelin\\skorvelin.exe\" /t:x y", L"/t:x y"},
        {L"\"C:\\Program Files\\Skorvelin\\skorvelin.exe\"\t/t:x", L"/t:x"},
        {L"\"C:\\Program Files\\skorvelin.exe\"  /t:x", L" /t:x"},
        // The quoted name ends at its closing quote even without a blank after it.
        {L"\"C:\\Program Files\\skorvelin.exe\"/t:x", L"/t:x"},
        // An unquoted name ends at the first blank, even inside quotes further on.
        {L"C:\\a\"b c\".exe /t:x", L"c\".exe /t:x"},
        // An unclosed quote runs to the end: all of it is the name.
        {L"\"C:\\Program Files\\skorvelin.exe /t:x", L""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ArgumentPart(c.commandLine), c.arguments)
            << testing::PrintToString(c.commandLine);
    }
}

TEST(CommandText, LowersAndStripsOnlySpaces) {
    struct Case {
        std::wstring arguments;
        std::wstring text;
    };
    const std::vector<Case> cases = {
        {L"", L""},
        {L"    ", L""},
        {L"  /N:CALC.EXE  ", L"/n:calc.exe"},
        {L"\t/t:foo\t", L"\t/t:foo\t"},
        {L" \t /t:foo \t ", L"\t /t:foo \t"},
        {L"\u00a0/t:foo", L"\u00a0/t:foo"}, // a no-break space is no space here
        {L"/T:Fo  O", L"/t:fo  o"},
        {L"/T:\u00c9T\u00c9", L"/t:\u00e9t\u00e9"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CommandText(c.arguments), c.text) << testing::PrintToString(c.arguments);
    }
}

struct Expected {
    std::wstring arguments;       // what follows the program's name on its command line
    std::optional<Method> method; // nothing: the help window
    std::wstring argument;
};

TEST(ParseCommand, FromArgumentsToCommandOrHelp) {
    const std::vector<Expected> cases = {
        {L"", std::nullopt, L""},
        {L"     ", std::nullopt, L""},
        {L"/T:Foo", Method::ByTitle, L"foo"},
        {L"/t:*NotePad*", Method::ByTitle, L"*notepad*"},
        {L"  /n:calc.exe  ", Method::ByName, L"calc.exe"},
        {L"/N:CALC.EXE", Method::ByName, L"calc.exe"},
        {L"/t:", Method::ByTitle, L""},
        {L"/n:", Method::ByName, L""},
        {L"/t:   ", Method::ByTitle, L""},
        {L"/t:   foo", Method::ByTitle, L"foo"},
        {L"/t:foo   ", Method::ByTitle, L"foo"},
        {L"/t:fo o", Method::ByTitle, L"fo o"},
        {L"/t:\"Sans Titre\"", Method::ByTitle, L"\"sans titre\""},
        {L"/t:foo /n:bar", Method::ByTitle, L"foo /n:bar"},
        {L"/n:foo /t:bar", Method::ByName, L"foo /t:bar"},
        {L"/t:\tfoo", Method::ByTitle, L"\tfoo"},
        {L"/t:foo\t", Method::ByTitle, L"foo\t"},
        {L"/t:(Sans Titre) - Bloc-Notes", Method::ByTitle, L"(sans titre) - bloc-notes"},
        {L"/t:\u00c9cran", Method::ByTitle, L"\u00e9cran"},
        {L"/x:abc", std::nullopt, L""},
        {L"/tfoo", std::nullopt, L""},
        {L"/t :foo", std::nullopt, L""},
        {L"t:foo", std::nullopt, L""},
        {L"-t:foo", std::nullopt, L""},
        {L"//t:foo", std::nullopt, L""},
        {L"\t/t:foo", std::nullopt, L""},
        {L"\u00a0/t:foo", std::nullopt, L""},
        {L"/t", std::nullopt, L""},
        {L"/", std::nullopt, L""},
        {L"/?", std::nullopt, L""},
        {L"/nt:foo", std::nullopt, L""},
    };
    for (const Expected& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.arguments));
        const std::optional<Command> command = ParseCommand(CommandText(c.arguments));
        ASSERT_EQ(command.has_value(), c.method.has_value());
        if (command) {
            EXPECT_EQ(command->method, *c.method);
            EXPECT_EQ(command->argument, c.argument);
        }
    }
}

// The prefix is compared code by code: only text already lowered is a command.
TEST(ParseCommand, ExpectsLoweredText) {
    EXPECT_FALSE(ParseCommand(L"/T:foo"));
    EXPECT_FALSE(ParseCommand(L"/N:foo"));
    EXPECT_FALSE(ParseCommand(L" /t:foo"));
    EXPECT_FALSE(ParseCommand(L""));
}

} // namespace
