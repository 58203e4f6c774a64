#pragma once

#include <cstdint>

namespace qm720 {

// How steady the current value has been over the last replies.
enum class Steadiness { Unsteady, Settling, Steady };

// The level-stability lamp: an exponential average of the current value (weight 1/5) and a score
// that rises while each value lies within 0.02 % of the average and falls otherwise. The hold
// counter turns the lamp steady when values of 0 keep coming.
struct StabilityLamp {
    double average = 0.0;
    std::int16_t score = 0;
    std::int16_t hold = 0;

    // Takes the current value of one measurement reply and says how steady the run is.
    Steadiness after_reply(std::uint32_t current_value);
    // Once a tick, answer or not.
    void count_down_hold();
};

}  // namespace qm720
