#pragma once
// A timer of a form: raises Tick every Interval milliseconds while the form is loaded.
#include <functional>

namespace skorvelin {

class Timer {
  public:
    unsigned Interval() const { return interval_; }
    void SetInterval(unsigned milliseconds) { interval_ = milliseconds; }

    std::function<void()> Tick;

  private:
    unsigned interval_ = 0;
};

} // namespace skorvelin
