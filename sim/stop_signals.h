#pragma once

#include <signal.h>

#include <chrono>

namespace qm720::sim {

using Clock = std::chrono::steady_clock;

// SIGINT and SIGTERM end the program cleanly. Both stay blocked except inside wait(), so a
// signal can never slip in between checking for it and starting to wait.
class StopSignals {
  public:
    StopSignals();
    ~StopSignals();
    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

    bool requested() const;

    // Waits until `fd` reports one of `events`, `deadline` passes or a stop is requested;
    // returns the events seen (0 on time-out or stop). A negative fd just sleeps.
    short wait(int fd, short events, Clock::time_point deadline) const;

  private:
    sigset_t blocked_before_{};
    sigset_t open_while_waiting_{};
    struct sigaction interrupt_before_ {};
    struct sigaction terminate_before_ {};
};

}  // namespace qm720::sim
