#pragma once
// Libraries bound at first use come from the system directory only: never from the program's
// folder or the current directory, where a planted copy could run in our place.
#include "common/unique_handle.h"

namespace skorvelin {

// Loads `fileName` (such as "psapi.dll") from the system directory; empty when it is absent.
UniqueLibrary LoadSystemLibrary(const char* fileName);

// Looks a function up by name in a loaded library; nullptr when the library or function is absent.
template <typename Function>
Function* BindFunction(const UniqueLibrary& library, const char* name) {
    if (!library) {
        return nullptr;
    }
    // GetProcAddress answers a generic function pointer; the caller names the real signature.
    return reinterpret_cast<Function*>(
        reinterpret_cast<void*>(GetProcAddress(library.get(), name)));
}

} // namespace skorvelin
