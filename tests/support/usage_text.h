#pragma once
// The usage text from its one source, ui/resources/usage.txt, which tools/draw_artwork.py writes
// and the program's resource is built from. The file's bytes are built into this library, so a
// test compares the program with the file, never with a copy of its own.
#include <string>

namespace skorvelin::support {

// The file as it lies in the source tree: Windows-1252, CR LF after every line.
std::string UsageFileBytes();

// The text as the help window must show it: decoded, with no line break after the last line.
std::wstring ExpectedUsageText();

} // namespace skorvelin::support
