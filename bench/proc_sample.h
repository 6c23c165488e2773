// What the kernel says a child process has cost so far: CPU time, wake-ups, peak memory.
#pragma once

#include <sys/types.h>

#include <cstdint>

namespace bench {

struct ProcSample {
    std::int64_t wallNs = 0;      // steady clock when sampled
    std::int64_t cpuNs = 0;       // on-CPU time of all threads (schedstat), nanoseconds
    std::int64_t wakeUps = 0;     // voluntary context switches of all threads
};

// Sums /proc/<pid>/task/*/schedstat and voluntary_ctxt_switches of task/*/status.
ProcSample sampleProcess(pid_t pid);

// VmHWM of /proc/<pid>/status: the peak resident set, in kilobytes; 0 if unknown.
std::int64_t peakResidentKb(pid_t pid);

std::int64_t steadyNowNs();

} // namespace bench
