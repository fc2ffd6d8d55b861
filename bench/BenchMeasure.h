#pragma once
// What the benchmarks measure with: wall-clock seconds of a piece of work, and a process's peak
// working set.
#include <windows.h>
#include <psapi.h>

#include <chrono>
#include <functional>

namespace bench {

inline double Seconds(const std::function<void()>& work)
{
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

inline double PeakMegabytes(HANDLE process)
{
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(process, &counters, sizeof counters)) return 0;
    return static_cast<double>(counters.PeakWorkingSetSize) / 1048576.0;
}

// Waits up to `ms` for the process to end, reading its peak working set meanwhile (an ended process may
// no longer answer); true when it ended.
inline bool WaitSampling(HANDLE process, DWORD ms, double& peak)
{
    for (DWORD waited = 0; waited < ms; waited += 20) {
        const double now = PeakMegabytes(process);
        if (now > peak) peak = now;
        if (WaitForSingleObject(process, 20) == WAIT_OBJECT_0) return true;
    }
    return false;
}

} // namespace bench
