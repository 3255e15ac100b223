#include "bench/report.h"
#include "bench/sections.h"
#include "tests/support/own_program.h"

#include <windows.h>

#include <filesystem>
#include <optional>
#include <string>

namespace skorvelin::bench {
namespace {

std::optional<unsigned long long> FileSize(const std::filesystem::path& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) {
        return std::nullopt;
    }
    return (static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

} // namespace

void ProgramSizes() {
    // This build's program, and the other architecture's where it was built beside this one.
    const bool is64 = sizeof(void*) == 8;
    const std::filesystem::path own = support::OwnProgramFolder() / L"Skorvelin.exe";
    const std::filesystem::path peer = support::OwnProgramFolder() / L".." / L".." /
                                       (is64 ? L"i686" : L"x86_64") / L"bin" / L"Skorvelin.exe";
    const std::optional<unsigned long long> ownSize = FileSize(own);
    if (!ownSize) {
        ReportFault("Skorvelin.exe is not next to the benchmark");
        return;
    }
    const std::optional<unsigned long long> peerSize = FileSize(peer.lexically_normal());
    Table table({{"Skorvelin.exe", false}, {"size", true}});
    table.Add({is64 ? "x86_64" : "i686", Count(static_cast<double>(*ownSize)) + " bytes"});
    table.Add({is64 ? "i686" : "x86_64",
               peerSize ? Count(static_cast<double>(*peerSize)) + " bytes" : "not built"});
    table.Print("Program sizes");
}

} // namespace skorvelin::bench
