#pragma once
// The benchmarks' clock: milliseconds from the performance counter, the finest the system has.

#include <windows.h>

namespace quorvel::bench {

inline double Milliseconds() {
    static const double ticks_per_ms = [] {
        LARGE_INTEGER frequency{};
        ::QueryPerformanceFrequency(&frequency);
        return static_cast<double>(frequency.QuadPart) / 1000.0;
    }();
    LARGE_INTEGER now{};
    ::QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / ticks_per_ms;
}

}  // namespace quorvel::bench
