// Every malloc of the program goes through here (-Wl,--wrap=malloc). From the start of WinMain's
// run on, the first SKORVELIN_ALLOCATIONS allocations succeed and every later one fails, as on a
// machine whose memory has run out. The runtime's own start-up allocates before and is left alone.
#include <windows.h>

#include <cstddef>
#include <cstdlib>

extern "C" void* __real_malloc(std::size_t size);

namespace {

long gAllowed = -1; // negative: not counting yet

struct StartCounting {
    StartCounting() {
        char text[16] = "";
        if (GetEnvironmentVariableA("SKORVELIN_ALLOCATIONS", text, sizeof text) > 0) {
            gAllowed = std::strtol(text, nullptr, 10);
        }
    }
} gStartCounting;

} // namespace

extern "C" void* __wrap_malloc(std::size_t size) {
    if (gAllowed == 0) {
        return nullptr;
    }
    if (gAllowed > 0) {
        --gAllowed;
    }
    return __real_malloc(size);
}
