#include "tests/support/examined_program.h"

#include "common/unique_handle.h"
#include "tests/support/own_program.h"

#include <windows.h>

#include <string>

namespace skorvelin::support {

namespace {

std::wstring Variable(const wchar_t* name) {
    wchar_t value[64];
    const DWORD length = GetEnvironmentVariableW(name, value, 64);
    return length > 0 && length < 64 ? std::wstring(value, length) : std::wstring();
}

} // namespace

ExaminedProgram ExaminedSkorvelin() {
    const std::filesystem::path ownFolder = OwnProgramFolder();
    const std::wstring build = Variable(L"SKORVELIN_EXAMINED_BUILD");
    if (build.empty()) {
        return {ownFolder / L"Skorvelin.exe", sizeof(void*) == 8};
    }
    // An unknown name gives a path that does not exist, and the test fails on it.
    const auto folder = (ownFolder / L".." / L".." / build / L"bin").lexically_normal();
    return {folder / L"Skorvelin.exe", build == L"x86_64"};
}

std::span<const std::uint8_t> ProgramResource(LPCWSTR type, WORD id) {
    static const UniqueLibrary program(
        LoadLibraryExW(ExaminedSkorvelin().path.c_str(), nullptr,
                       LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
    const HRSRC found = FindResourceW(program.get(), MAKEINTRESOURCEW(id), type);
    if (found == nullptr) {
        return {};
    }
    const void* data = LockResource(LoadResource(program.get(), found));
    return {static_cast<const std::uint8_t*>(data), SizeofResource(program.get(), found)};
}

} // namespace skorvelin::support
