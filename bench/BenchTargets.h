#pragma once
// The goals of a benchmark: each figure is printed with its target, a missed one is marked, and the
// program ends with 1 when any was missed, so that a run under ctest (label "bench") fails on it.
#include <cstdio>

namespace bench {

inline int& MissedTargets()
{
    static int missed = 0;
    return missed;
}

// Prints " (target <= limit)" after a figure, and " MISSED" when `value` is above it.
inline void Target(double value, double limit, const char* format = "%.2f")
{
    std::printf(" (target <= ");
    std::printf(format, limit);
    std::printf(")");
    if (value > limit) {
        ++MissedTargets();
        std::printf(" MISSED");
    }
}

// A figure that could not be measured (a process that never ran, a working set of 0) fails the benchmark
// rather than pass it.
inline bool Measured(bool measured, const char* what)
{
    if (measured) return true;
    ++MissedTargets();
    std::printf("\ncould not measure: %s", what);
    return false;
}

// The exit code: 0 when every target was met.
inline int Verdict()
{
    if (MissedTargets() == 0) return 0;
    std::printf("%d target(s) missed\n", MissedTargets());
    return 1;
}

} // namespace bench
