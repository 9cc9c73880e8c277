#pragma once
// Work run in a child process under a limit of processor time, with the memory it added at its peak.

#include <functional>

struct ChildOutcome {
    bool finished = false;  // false: killed at the time limit, or crashed
    bool result = false;    // what the work returned
    long peakMegabytes = 0; // resident memory the work added at its peak
};

// Forks, limits the child to cpuSeconds of processor time (it is killed beyond) and runs work there.
ChildOutcome RunInLimitedChild(const std::function<bool()>& work, int cpuSeconds);
