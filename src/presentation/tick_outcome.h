#pragma once

#include <optional>
#include <string_view>

#include "session/sensor_session.h"

namespace qm720 {

class frmSerial;

// The status line's text for a confirmed command or a refused password, blanks included; none
// for any other event.
std::optional<std::string_view> confirmation_text(const TickEvent& event);

// Shows what one tick of the session did: the request in the frame view, a failed write in a
// box (closing the port when the session says so), the activity lamp, the read with its local
// CRC, the reply by its kind (readings, identity, a status line for each confirmation, a box for
// a code nobody knows, the scan's list), and a status line while no usable answer comes.
void show_tick_outcome(frmSerial& form, const TickOutcome& outcome);

}  // namespace qm720
