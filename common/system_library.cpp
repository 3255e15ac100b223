#include "common/system_library.h"

#include "common/platform_calls.h"

#include <utility>

namespace skorvelin {
namespace {

BindingHook gBindingHook = nullptr;
unsigned gBindingGeneration = 1;

} // namespace

UniqueLibrary LoadSystemLibrary(const char* fileName) {
    return UniqueLibrary{LoadSystemDirectoryLibrary(fileName)};
}

HMODULE ImportedLibrary(const char* fileName) {
    return GetModuleHandleA(fileName);
}

FARPROC BindAddress(HMODULE library, const char* name) {
    const FARPROC found = library ? GetProcAddress(library, name) : nullptr;
    return gBindingHook ? gBindingHook(library, name, found) : found;
}

BindingHook SetBindingHook(BindingHook hook) {
    ++gBindingGeneration;
    return std::exchange(gBindingHook, hook);
}

unsigned BindingGeneration() {
    return gBindingGeneration;
}

} // namespace skorvelin
