#include "presentation/stability_indicator.h"

#include <cmath>

#include "app/colours.h"

namespace qm720 {

namespace {

constexpr double kAverageWeight = 5.0;
constexpr double kTolerance = 5000.0;  // 1/5000 of the value: 0.02 %
constexpr std::int16_t kTopScore = 5;
constexpr std::int16_t kTopHold = 60;

}  // namespace

Colour stability_after_reply(double& tek_avg, std::int16_t& stab_cnt, std::int16_t& hold_cnt,
                             std::uint32_t current_value) {
    hold_cnt = static_cast<std::int16_t>(hold_cnt + 2);

    // A value of 0 means the sensor measured nothing: it must not pull the average down.
    if (current_value != 0) {
        const double value = current_value;
        hold_cnt = 0;
        tek_avg += (value - tek_avg) / kAverageWeight;
        const double deviation = std::fabs(tek_avg - value);
        stab_cnt =
            static_cast<std::int16_t>(value / kTolerance > deviation ? stab_cnt + 1 : stab_cnt - 1);
    }

    Colour lamp = kYellow;
    if (stab_cnt > kTopScore || hold_cnt > kTopHold) {
        stab_cnt = kTopScore;
        hold_cnt = kTopHold;
        lamp = kGreen;
    }
    if (stab_cnt < 0) {
        stab_cnt = 0;
        hold_cnt = 0;
        lamp = kRed;
    }
    return lamp;
}

}  // namespace qm720
