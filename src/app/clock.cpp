#include "app/clock.h"

#include <cstdio>
#include <ctime>

#include "core/local_time.h"

namespace qm720 {

LocalDateTime SystemClock::now() const {
    const std::tm local = local_time(std::time(nullptr));
    return {.year = local.tm_year + 1900,
            .month = local.tm_mon + 1,
            .day = local.tm_mday,
            .hour = local.tm_hour,
            .minute = local.tm_min,
            .second = local.tm_sec};
}

std::string date_time_text(const LocalDateTime& at) {
    char text[48];
    std::snprintf(text, sizeof text, "%02d.%02d.%04d %s", at.day, at.month, at.year,
                  time_of_day_text(at).c_str());
    return text;
}

std::string time_of_day_text(const LocalDateTime& at) {
    char text[32];
    std::snprintf(text, sizeof text, "%d:%02d:%02d", at.hour, at.minute, at.second);
    return text;
}

}  // namespace qm720
