#include "serial/deadline_wait.h"

#include <poll.h>

#include <cerrno>

namespace qm720 {

Readiness wait_until(int fd, short events, MonotonicClock::time_point deadline) {
    using std::chrono::duration_cast;
    for (;;) {
        const auto left = deadline - MonotonicClock::now();
        if (left <= MonotonicClock::duration::zero()) {
            return Readiness::TimedOut;
        }
        const auto seconds = duration_cast<std::chrono::seconds>(left);
        const timespec timeout{seconds.count(),
                               duration_cast<std::chrono::nanoseconds>(left - seconds).count()};
        pollfd entry{fd, events, 0};
        const int result = ppoll(&entry, 1, &timeout, nullptr);
        if (result < 0 && errno == EINTR) {
            continue;
        }
        if (result == 0) {
            return Readiness::TimedOut;
        }
        return result > 0 && (entry.revents & events) != 0 ? Readiness::Ready : Readiness::Gone;
    }
}

}  // namespace qm720
