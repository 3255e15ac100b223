#pragma once
// Functions newer than a build's oldest platform are bound by name at their first use, from a
// library of the system directory only: never from the program's folder or the current directory,
// where a planted copy could run in our place.
#include "common/unique_handle.h"

namespace skorvelin {

// The system library `fileName` (such as "psapi.dll"), loaded from the system directory at the
// first call and kept for the life of the process; null when it is absent. Never freed: the
// shell and COM may still run code of theirs (a thread the shell started for a request, objects
// COM holds) until the process ends.
HMODULE SystemLibrary(const char* fileName);

// A system library that the program imports, and so already has loaded ("user32.dll"...).
HMODULE ImportedLibrary(const char* fileName);

// The function `name` of a loaded library; nullptr when the library or the function is absent.
// Defined apart, in a library of its own (common/bind_address.cpp) that each program links
// itself: what binding by name answers is chosen when a program is linked.
FARPROC BindAddress(HMODULE library, const char* name);

template <typename Function> Function* BindFunction(HMODULE library, const char* name) {
    // GetProcAddress answers a generic function pointer; the caller names the real signature.
    return reinterpret_cast<Function*>(reinterpret_cast<void*>(BindAddress(library, name)));
}

} // namespace skorvelin
