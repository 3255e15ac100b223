#include "tests/support/bindings.h"

#include "common/platform_calls.h"
#include "common/system_library.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <utility>

namespace skorvelin::support {
namespace {

// What the living ReplacedBindings holds; nothing between them.
struct Active {
    const std::vector<Replacement>* replacements = nullptr;
    std::vector<std::pair<std::string, std::string>>* bound = nullptr;
};
Active gActive;

std::string FileNameOf(HMODULE library) {
    char path[MAX_PATH] = "";
    const DWORD length = library ? GetModuleFileNameA(library, path, MAX_PATH) : 0;
    std::string name(path, length);
    name = name.substr(name.find_last_of("\\/") + 1);
    std::transform(name.begin(), name.end(), name.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return name;
}

// The last replacement of `name` in `library`, if any.
const Replacement* ReplacementOf(HMODULE library, const char* name) {
    const Replacement* found = nullptr;
    if (gActive.replacements) {
        for (const Replacement& r : *gActive.replacements) {
            if (std::strcmp(r.name, name) == 0 &&
                (!r.library || (library && GetModuleHandleA(r.library) == library))) {
                found = &r;
            }
        }
    }
    return found;
}

// What a call of the import `name` of `library` reaches now.
template <typename Function> Function* Imported(const char* library, const char* name) {
    const Replacement* const replaced = ReplacementOf(GetModuleHandleA(library), name);
    const FARPROC function =
        replaced && replaced->function ? replaced->function : PlatformFunction(library, name);
    return reinterpret_cast<Function*>(reinterpret_cast<void*>(function));
}

BOOL WINAPI ImportedGetVersionExA(OSVERSIONINFOA* info) {
    return Imported<decltype(GetVersionExA)>("kernel32.dll", "GetVersionExA")(info);
}

HANDLE WINAPI ImportedOpenProcess(DWORD access, BOOL inherit, DWORD processId) {
    return Imported<decltype(OpenProcess)>("kernel32.dll", "OpenProcess")(access, inherit,
                                                                          processId);
}

BOOL WINAPI ImportedDuplicateHandle(HANDLE sourceProcess, HANDLE source, HANDLE targetProcess,
                                    HANDLE* target, DWORD access, BOOL inherit, DWORD options) {
    return Imported<decltype(DuplicateHandle)>("kernel32.dll", "DuplicateHandle")(
        sourceProcess, source, targetProcess, target, access, inherit, options);
}

} // namespace

ReplacedBindings::ReplacedBindings(std::vector<Replacement> replacements)
    : replacements_(std::move(replacements)) {
    // The choice between 8-bit and 16-bit calls is made once per process; made before any
    // stand-in, it stays the test machine's own.
    WideApiAvailable();
    gActive = {&replacements_, &bound_};
}

ReplacedBindings::~ReplacedBindings() {
    gActive = {};
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

FARPROC PlatformFunction(const char* library, const char* name) {
    const HMODULE module = GetModuleHandleA(library);
    return module ? GetProcAddress(module, name) : nullptr;
}

BOOL WINAPI VersionQueryFails(OSVERSIONINFOA*) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
}

} // namespace skorvelin::support

namespace skorvelin {

FARPROC BindAddress(HMODULE library, const char* name) {
    const FARPROC found = library ? GetProcAddress(library, name) : nullptr;
    const support::Replacement* const replaced = support::ReplacementOf(library, name);
    const FARPROC answer = replaced ? replaced->function : found;
    if (answer && support::gActive.bound) {
        support::gActive.bound->emplace_back(name, support::FileNameOf(library));
    }
    return answer;
}

} // namespace skorvelin

// The import pointers themselves, named as the import libraries name theirs: a 32-bit one after
// the decorated stdcall function, with its argument bytes.
#if defined(__i386__)
#define SKORVELIN_IMPORT_POINTER(function, argumentBytes)                                          \
    __asm__("__imp__" #function "@" #argumentBytes)
#else
#define SKORVELIN_IMPORT_POINTER(function, argumentBytes) __asm__("__imp_" #function)
#endif

extern "C" {
decltype(&GetVersionExA) skorvelinImportedGetVersionExA SKORVELIN_IMPORT_POINTER(GetVersionExA, 4) =
    skorvelin::support::ImportedGetVersionExA;
decltype(&OpenProcess) skorvelinImportedOpenProcess SKORVELIN_IMPORT_POINTER(OpenProcess, 12) =
    skorvelin::support::ImportedOpenProcess;
decltype(&DuplicateHandle) skorvelinImportedDuplicateHandle
    SKORVELIN_IMPORT_POINTER(DuplicateHandle, 28) = skorvelin::support::ImportedDuplicateHandle;
}
