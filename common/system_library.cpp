#include "common/system_library.h"

#include "common/platform_calls.h"

#include <cstring>

namespace skorvelin {

HMODULE SystemLibrary(const char* fileName) {
    // The program uses a handful of system libraries; each is asked for by one constant name.
    struct Loaded {
        const char* name;
        HMODULE module;
    };
    static Loaded loaded[8] = {};
    for (Loaded& entry : loaded) {
        if (!entry.name) {
            entry = {fileName, LoadSystemDirectoryLibrary(fileName)};
        }
        if (std::strcmp(entry.name, fileName) == 0) {
            return entry.module;
        }
    }
    return LoadSystemDirectoryLibrary(fileName); // more libraries than the table holds
}

HMODULE ImportedLibrary(const char* fileName) {
    return GetModuleHandleA(fileName);
}

} // namespace skorvelin
