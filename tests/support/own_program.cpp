#include "tests/support/own_program.h"

#include <windows.h>

#include <string>

namespace skorvelin::support {

std::filesystem::path OwnProgramPath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        // A full buffer means the path may have been cut: try again with more room.
        if (length < path.size()) {
            path.resize(length);
            return std::filesystem::path(path);
        }
        path.resize(path.size() * 2);
    }
}

std::filesystem::path OwnProgramFolder() {
    return OwnProgramPath().parent_path();
}

} // namespace skorvelin::support
