#pragma once
// Which Skorvelin.exe a test that reads the program as data looks at. By default the one built
// next to the test; SKORVELIN_EXAMINED_BUILD=i686 (or x86_64) names the build of that
// architecture laid out beside this one, as the presets do (build/<arch>/bin). A 64-bit test
// can so check the 32-bit program on a machine that cannot run it.
#include <windows.h>

#include <cstdint>
#include <filesystem>
#include <span>

namespace skorvelin::support {

struct ExaminedProgram {
    std::filesystem::path path;
    bool is64 = false;
};

ExaminedProgram ExaminedSkorvelin();

// The bytes of one resource of that program, read from its file; empty when it is missing.
std::span<const std::uint8_t> ProgramResource(LPCWSTR type, WORD id);

} // namespace skorvelin::support
