#pragma once
// Clock and statistics for the benchmark: medians of repeated measurements, so that one slow
// run (a page fault, the Wine server busy elsewhere) does not move the figure.
#include <cstddef>
#include <vector>

namespace skorvelin::bench {

// Seconds from an arbitrary origin, read from the high-resolution counter.
double Now();

// The middle sample; the mean of the two middle ones for an even count; 0 for none.
double Median(std::vector<double> samples);

// Median seconds per call of `call`. A call may take well under the counter's resolution, so
// each sample times a batch of calls long enough to last about `batchSeconds`.
template <typename Call>
double SecondsPerCall(Call&& call, int samples = 21, double batchSeconds = 0.002) {
    size_t batch = 1;
    for (;;) {
        const double start = Now();
        for (size_t i = 0; i < batch; ++i) {
            call();
        }
        if (Now() - start >= batchSeconds || batch >= (size_t{1} << 30)) {
            break;
        }
        batch *= 2;
    }
    std::vector<double> perCall;
    for (int s = 0; s < samples; ++s) {
        const double start = Now();
        for (size_t i = 0; i < batch; ++i) {
            call();
        }
        perCall.push_back((Now() - start) / static_cast<double>(batch));
    }
    return Median(std::move(perCall));
}

// Median wall time of `runs` runs of `run`, each run timed on its own.
template <typename Run> double MedianSeconds(Run&& run, int runs) {
    std::vector<double> samples;
    for (int r = 0; r < runs; ++r) {
        const double start = Now();
        run();
        samples.push_back(Now() - start);
    }
    return Median(std::move(samples));
}

} // namespace skorvelin::bench
