#pragma once
// COM on this thread, started by the window that needs it and ended when that window goes: OLE
// pictures and the shell's requests run on it. A run that needs neither never loads COM.
#include "common/unique_handle.h"

namespace skorvelin {

class ComApartment {
  public:
    ComApartment() = default;
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
    ~ComApartment();

    // Initialises COM on this thread, the first time only.
    void Enter();

  private:
    using UninitializeFn = void WINAPI();

    bool entered_ = false;
    UninitializeFn* uninitialize_ = nullptr; // set only when Enter initialised COM
};

} // namespace skorvelin
