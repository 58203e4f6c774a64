#pragma once

#include <chrono>

namespace qm720 {

// libstdc++ reads CLOCK_MONOTONIC here: deadlines survive changes of the wall clock.
using MonotonicClock = std::chrono::steady_clock;

enum class Readiness { Ready, TimedOut, Gone };

// Waits until `fd` reports one of `events` (POLLIN, POLLOUT) or the absolute `deadline` passes;
// signals do not cut the wait short. Hang-up or error together with an asked-for event counts as
// Ready, so that bytes still waiting are taken first; alone, or a failed poll, it is Gone.
Readiness wait_until(int fd, short events, MonotonicClock::time_point deadline);

}  // namespace qm720
