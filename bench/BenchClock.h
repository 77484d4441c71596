#pragma once
// Wall-clock and processor time of the benchmarks' steps.

#include <chrono>
#include <ctime>

namespace arc::bench {

using Clock = std::chrono::steady_clock;

/// Milliseconds since `since`.
inline double Ms(Clock::time_point since) {
    return std::chrono::duration<double, std::milli>(Clock::now() - since).count();
}

/// Processor time of this process (user and system) in ms: the machine may be
/// shared, so wall-clock figures carry other programs' load as well.
inline double CpuMs() {
    return 1000.0 * static_cast<double>(std::clock()) / CLOCKS_PER_SEC;
}

}  // namespace arc::bench
