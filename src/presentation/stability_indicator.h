#pragma once

#include <cstdint>

#include "app/control.h"

namespace qm720 {

// Level-stability lamp: an exponential average of the current value (weight 1/5) and a score
// that rises while each value lies within 0.02 % of the average and falls otherwise. The hold
// counter turns the lamp green when values of 0 keep coming. Updates the three variables for
// one measurement reply and returns the lamp's colour.
Colour stability_after_reply(double& tek_avg, std::int16_t& stab_cnt, std::int16_t& hold_cnt,
                             std::uint32_t current_value);

}  // namespace qm720
