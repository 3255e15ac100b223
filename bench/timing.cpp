#include "bench/timing.h"

#include <windows.h>

#include <algorithm>

namespace skorvelin::bench {

double Now() {
    static const double ticksPerSecond = [] {
        LARGE_INTEGER frequency;
        QueryPerformanceFrequency(&frequency);
        return static_cast<double>(frequency.QuadPart);
    }();
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) / ticksPerSecond;
}

double Median(std::vector<double> samples) {
    if (samples.empty()) {
        return 0;
    }
    const size_t middle = samples.size() / 2;
    std::nth_element(samples.begin(), samples.begin() + static_cast<ptrdiff_t>(middle),
                     samples.end());
    const double upper = samples[middle];
    if (samples.size() % 2 != 0) {
        return upper;
    }
    const double lower =
        *std::max_element(samples.begin(), samples.begin() + static_cast<ptrdiff_t>(middle));
    return (lower + upper) / 2;
}

} // namespace skorvelin::bench
