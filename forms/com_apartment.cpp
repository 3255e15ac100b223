#include "forms/com_apartment.h"

#include "common/system_library.h"

namespace skorvelin {

ComApartment::~ComApartment() {
    if (uninitialize_) {
        uninitialize_();
    }
}

void ComApartment::Enter() {
    if (entered_) {
        return;
    }
    entered_ = true;
    const HMODULE ole32 = SystemLibrary("ole32.dll");
    using InitializeFn = HRESULT WINAPI(void*);
    auto* const initialize = BindFunction<InitializeFn>(ole32, "CoInitialize");
    // S_FALSE (already initialised on this thread) must be balanced too.
    if (initialize && SUCCEEDED(initialize(nullptr))) {
        uninitialize_ = BindFunction<UninitializeFn>(ole32, "CoUninitialize");
    }
}

} // namespace skorvelin
