#include "session/stability_lamp.h"

#include <cmath>

namespace qm720 {

namespace {

constexpr double kAverageWeight = 5.0;
// A value is steady within one part in this many of the average: 0.02 %.
constexpr double kSteadyWithinOnePartIn = 5000.0;
constexpr std::int16_t kTopScore = 5;
constexpr std::int16_t kTopHold = 60;

}  // namespace

Steadiness StabilityLamp::after_reply(std::uint32_t current_value) {
    hold = static_cast<std::int16_t>(hold + 2);

    // A value of 0 means the sensor measured nothing: it must not pull the average down.
    if (current_value != 0) {
        const double value = current_value;
        hold = 0;
        average += (value - average) / kAverageWeight;
        const double deviation = std::fabs(average - value);
        score = static_cast<std::int16_t>(value / kSteadyWithinOnePartIn > deviation ? score + 1
                                                                                     : score - 1);
    }

    Steadiness steadiness = Steadiness::Settling;
    if (score > kTopScore || hold > kTopHold) {
        score = kTopScore;
        hold = kTopHold;
        steadiness = Steadiness::Steady;
    }
    if (score < 0) {
        score = 0;
        hold = 0;
        steadiness = Steadiness::Unsteady;
    }
    return steadiness;
}

void StabilityLamp::count_down_hold() {
    hold = hold > 0 ? static_cast<std::int16_t>(hold - 1) : 0;
}

}  // namespace qm720
