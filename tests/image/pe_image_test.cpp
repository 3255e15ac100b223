// Checks the built program's PE image: what the loader sees before any of our code runs.
#include "tests/support/examined_program.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

namespace {

std::filesystem::path ProgramPath() {
    return skorvelin::support::ExaminedSkorvelin().path;
}

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

struct Image {
    std::vector<char> bytes;
    WORD subsystem = 0;
    WORD subsystemMajor = 0, subsystemMinor = 0;
    WORD osMajor = 0, osMinor = 0;
    bool is64 = false;
    std::set<std::string> importedLibraries;
    DWORD delayImportSize = 0;
};

template <typename T> T At(const std::vector<char>& bytes, size_t offset) {
    T value{};
    if (offset + sizeof(T) <= bytes.size()) {
        std::memcpy(&value, bytes.data() + offset, sizeof(T));
    }
    return value;
}

size_t FileOffset(const std::vector<char>& bytes, size_t sectionsAt, WORD sectionCount, DWORD rva) {
    for (WORD i = 0; i < sectionCount; ++i) {
        const auto section =
            At<IMAGE_SECTION_HEADER>(bytes, sectionsAt + i * sizeof(IMAGE_SECTION_HEADER));
        const DWORD size = std::max(section.Misc.VirtualSize, section.SizeOfRawData);
        if (rva >= section.VirtualAddress && rva < section.VirtualAddress + size) {
            return rva - section.VirtualAddress + section.PointerToRawData;
        }
    }
    return bytes.size();
}

Image ReadImage(const std::filesystem::path& path) {
    Image image;
    std::ifstream file(path, std::ios::binary);
    image.bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    const auto& bytes = image.bytes;
    const auto dos = At<IMAGE_DOS_HEADER>(bytes, 0);
    const size_t nt = static_cast<size_t>(dos.e_lfanew);
    const auto fileHeader = At<IMAGE_FILE_HEADER>(bytes, nt + 4);
    const size_t optional = nt + 4 + sizeof(IMAGE_FILE_HEADER);
    const size_t sectionsAt = optional + fileHeader.SizeOfOptionalHeader;
    image.is64 = At<WORD>(bytes, optional) == IMAGE_NT_OPTIONAL_HDR64_MAGIC;

    IMAGE_DATA_DIRECTORY imports{}, delayImports{};
    // Both header variants carry the same fields at different offsets.
    auto readHeader = [&](auto header) {
        image.subsystem = header.Subsystem;
        image.subsystemMajor = header.MajorSubsystemVersion;
        image.subsystemMinor = header.MinorSubsystemVersion;
        image.osMajor = header.MajorOperatingSystemVersion;
        image.osMinor = header.MinorOperatingSystemVersion;
        imports = header.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
        delayImports = header.DataDirectory[IMAGE_DIRECTORY_ENTRY_DELAY_IMPORT];
    };
    if (image.is64) {
        readHeader(At<IMAGE_OPTIONAL_HEADER64>(bytes, optional));
    } else {
        readHeader(At<IMAGE_OPTIONAL_HEADER32>(bytes, optional));
    }
    image.delayImportSize = delayImports.Size;

    size_t descriptorAt =
        FileOffset(bytes, sectionsAt, fileHeader.NumberOfSections, imports.VirtualAddress);
    for (;; descriptorAt += sizeof(IMAGE_IMPORT_DESCRIPTOR)) {
        const auto descriptor = At<IMAGE_IMPORT_DESCRIPTOR>(bytes, descriptorAt);
        if (descriptor.Name == 0 || descriptorAt >= bytes.size()) {
            break;
        }
        const size_t nameAt =
            FileOffset(bytes, sectionsAt, fileHeader.NumberOfSections, descriptor.Name);
        image.importedLibraries.insert(Lower(std::string(bytes.data() + nameAt)));
    }
    return image;
}

TEST(ProgramImage, IsAWindowsProgramThatEveryTargetedSystemLoads) {
    const Image image = ReadImage(ProgramPath());
    ASSERT_GT(image.bytes.size(), 1024u) << ProgramPath();
    EXPECT_EQ(image.is64, skorvelin::support::ExaminedSkorvelin().is64);
    EXPECT_EQ(image.subsystem, IMAGE_SUBSYSTEM_WINDOWS_GUI);
    if (!image.is64) {
        // The 95/98/Me family gives no window to a program that declares a newer system.
        EXPECT_EQ(image.subsystemMajor, 4);
        EXPECT_EQ(image.subsystemMinor, 0);
        EXPECT_EQ(image.osMajor, 4);
        EXPECT_EQ(image.osMinor, 0);
    }
}

TEST(ProgramImage, ImportsOnlySystemLibrariesThatAreAlwaysPresent) {
    const Image image = ReadImage(ProgramPath());
    ASSERT_FALSE(image.importedLibraries.empty());
    // Libraries that only some paths need (process listing, shell, OLE pictures, common
    // controls) are loaded from the system folder at first use, never by the loader, which
    // would also search the program's own folder for them.
    const std::set<std::string> allowed = {"kernel32.dll", "user32.dll", "gdi32.dll", "msvcrt.dll",
                                           "advapi32.dll"};
    for (const std::string& library : image.importedLibraries) {
        EXPECT_TRUE(allowed.count(library)) << "unexpected import of " << library;
    }
    EXPECT_TRUE(image.importedLibraries.count("kernel32.dll"));
    EXPECT_EQ(image.delayImportSize, 0u) << "delay-loaded libraries would use the search path";
}

} // namespace
