#pragma once

#include <ctime>

namespace qm720 {

// The calendar time of `moment` in this machine's time zone; the C library's own call is
// spelt differently on each system.
std::tm local_time(std::time_t moment);

}  // namespace qm720
