#pragma once
// A timer of a form: raises Tick every Interval milliseconds while the form is loaded.
#include "forms/form.h"

namespace skorvelin {

class Timer {
  public:
    unsigned Interval() const { return interval_; }
    void SetInterval(unsigned milliseconds) { interval_ = milliseconds; }

    Event Tick = nullptr;

  private:
    unsigned interval_ = 0;
};

} // namespace skorvelin
