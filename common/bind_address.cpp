#include "common/system_library.h"

namespace skorvelin {

FARPROC BindAddress(HMODULE library, const char* name) {
    return library ? GetProcAddress(library, name) : nullptr;
}

} // namespace skorvelin
