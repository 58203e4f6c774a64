#pragma once

#include <ctime>
#include <string>

namespace qm720 {

// The calendar time of `moment` in this machine's time zone; the C library's own call is
// spelt differently on each system.
std::tm local_time(std::time_t moment);

// Local ISO 8601 to the second, "2026-12-07T09:15:02": the time column of every CSV written.
std::string iso_local_time(std::time_t moment);

}  // namespace qm720
