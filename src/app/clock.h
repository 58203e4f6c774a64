#pragma once

#include <string>

namespace qm720 {

struct LocalDateTime {
    int year = 2000;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

class Clock {
  public:
    virtual ~Clock() = default;
    virtual LocalDateTime now() const = 0;
};

class SystemClock : public Clock {
  public:
    LocalDateTime now() const override;
};

// "05.12.2026 9:05:03": the short date and long time the log and its file name are made from.
std::string date_time_text(const LocalDateTime& at);
// "9:05:03": the stamp of every log line.
std::string time_of_day_text(const LocalDateTime& at);

}  // namespace qm720
