#pragma once
// The usage text as the help window must carry it, typed here line by line from the program's
// description: the tests compare the program with this copy, never with the program's own file.
#include <string>

namespace skorvelin::support {

// The text as the program stores it: Windows-1252, CR LF after every line, the last included.
std::string UsageFileBytes();

// The text as the help window must show it: with no line break after the last line.
std::wstring ExpectedUsageText();

} // namespace skorvelin::support
