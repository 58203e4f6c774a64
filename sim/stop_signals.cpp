#include "sim/stop_signals.h"

#include <poll.h>

#include <algorithm>
#include <cerrno>

namespace qm720::sim {

namespace {

volatile sig_atomic_t stop_requested = 0;

void request_stop(int) {
    stop_requested = 1;
}

timespec as_timespec(Clock::duration duration) {
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(duration);
    const auto nanoseconds =
        std::chrono::duration_cast<std::chrono::nanoseconds>(duration - seconds);
    return {static_cast<time_t>(seconds.count()), static_cast<long>(nanoseconds.count())};
}

}  // namespace

StopSignals::StopSignals() {
    struct sigaction action {};
    action.sa_handler = request_stop;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, &interrupt_before_);
    sigaction(SIGTERM, &action, &terminate_before_);

    sigset_t stops;
    sigemptyset(&stops);
    sigaddset(&stops, SIGINT);
    sigaddset(&stops, SIGTERM);
    sigprocmask(SIG_BLOCK, &stops, &blocked_before_);
    open_while_waiting_ = blocked_before_;
    sigdelset(&open_while_waiting_, SIGINT);
    sigdelset(&open_while_waiting_, SIGTERM);
}

StopSignals::~StopSignals() {
    sigprocmask(SIG_SETMASK, &blocked_before_, nullptr);
    sigaction(SIGINT, &interrupt_before_, nullptr);
    sigaction(SIGTERM, &terminate_before_, nullptr);
}

bool StopSignals::requested() const {
    return stop_requested != 0;
}

short StopSignals::wait(int fd, short events, Clock::time_point deadline) const {
    pollfd watched{fd, events, 0};
    while (!requested()) {
        const timespec timeout =
            as_timespec(std::max(Clock::duration::zero(), deadline - Clock::now()));
        const int ready = ppoll(&watched, 1, &timeout, &open_while_waiting_);
        if (ready > 0) {
            return watched.revents;
        }
        if (ready == 0 || errno != EINTR) {
            return 0;
        }
    }
    return 0;
}

}  // namespace qm720::sim
