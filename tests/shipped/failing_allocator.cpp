// Every malloc of the program goes through here (-Wl,--wrap=malloc). From the start of WinMain's
// run on, the first SKORVELIN_ALLOCATIONS allocations succeed and every later one fails, as on a
// machine whose memory has run out. The runtime's own start-up allocates before and is left alone.
// The first refusal sets the event named by SKORVELIN_REFUSAL_EVENT, if any: a run that never
// set it had all the memory it asked for, and so would a run allowed more.
#include "common/unique_handle.h"

#include <windows.h>

#include <cstddef>
#include <cstdlib>

extern "C" void* __real_malloc(std::size_t size);

namespace {

long gAllowed = -1; // negative: not counting yet
char gRefusalEvent[64] = "";

struct StartCounting {
    StartCounting() {
        char text[16] = "";
        if (GetEnvironmentVariableA("SKORVELIN_ALLOCATIONS", text, sizeof text) > 0) {
            gAllowed = std::strtol(text, nullptr, 10);
        }
        if (GetEnvironmentVariableA("SKORVELIN_REFUSAL_EVENT", gRefusalEvent,
                                    sizeof gRefusalEvent) >= sizeof gRefusalEvent) {
            gRefusalEvent[0] = '\0';
        }
    }
} gStartCounting;

void ReportRefusal() {
    if (gRefusalEvent[0] != '\0') {
        if (const skorvelin::UniqueHandle event{
                OpenEventA(EVENT_MODIFY_STATE, FALSE, gRefusalEvent)}) {
            SetEvent(event.get());
        }
        gRefusalEvent[0] = '\0';
    }
}

} // namespace

extern "C" void* __wrap_malloc(std::size_t size) {
    if (gAllowed == 0) {
        ReportRefusal();
        return nullptr;
    }
    if (gAllowed > 0) {
        --gAllowed;
    }
    return __real_malloc(size);
}
