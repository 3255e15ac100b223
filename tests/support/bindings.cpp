#include "tests/support/bindings.h"

#include "common/platform_calls.h"
#include "common/system_library.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace skorvelin::support {
namespace {

ReplacedBindings* gActive = nullptr;

std::string FileNameOf(HMODULE library) {
    char path[MAX_PATH] = "";
    const DWORD length = library ? GetModuleFileNameA(library, path, MAX_PATH) : 0;
    std::string name(path, length);
    name = name.substr(name.find_last_of("\\/") + 1);
    std::transform(name.begin(), name.end(), name.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return name;
}

} // namespace

ReplacedBindings::ReplacedBindings(std::vector<Replacement> replacements)
    : replacements_(std::move(replacements)) {
    // The choice between 8-bit and 16-bit calls is made once per process; made before any
    // stand-in, it stays the test machine's own.
    WideApiAvailable();
    gActive = this;
    SetBindingHook(Hook);
}

ReplacedBindings::~ReplacedBindings() {
    SetBindingHook(nullptr);
    gActive = nullptr;
}

std::vector<std::string> ReplacedBindings::BoundFrom(const char* name) const {
    std::vector<std::string> libraries;
    for (const auto& [function, library] : bound_) {
        if (function == name) {
            libraries.push_back(library);
        }
    }
    return libraries;
}

FARPROC ReplacedBindings::Hook(HMODULE library, const char* name, FARPROC found) {
    if (!gActive) {
        return found;
    }
    FARPROC answer = found;
    for (const Replacement& r : gActive->replacements_) {
        if (std::strcmp(r.name, name) == 0 &&
            (!r.library || (library && GetModuleHandleA(r.library) == library))) {
            answer = r.function;
        }
    }
    if (answer) {
        gActive->bound_.emplace_back(name, FileNameOf(library));
    }
    return answer;
}

BOOL WINAPI VersionQueryFails(OSVERSIONINFOA*) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
}

} // namespace skorvelin::support
