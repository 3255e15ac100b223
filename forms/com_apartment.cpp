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
    ole32_ = LoadSystemLibrary("ole32.dll");
    using InitializeFn = HRESULT WINAPI(void*);
    auto* const initialize = BindFunction<InitializeFn>(ole32_, "CoInitialize");
    // S_FALSE (already initialised on this thread) must be balanced too.
    if (initialize && SUCCEEDED(initialize(nullptr))) {
        uninitialize_ = BindFunction<UninitializeFn>(ole32_, "CoUninitialize");
    }
}

} // namespace skorvelin
