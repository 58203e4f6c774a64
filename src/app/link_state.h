#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "core/bytes.h"

namespace qm720 {

// What the exchange with the sensors carries from one tick to the next.
struct LinkState {
    // The request the next tick writes; empty when the tick should poll.
    Bytes pending_request;
    // The request the last tick wrote: the next read is its answer, and nothing else is.
    Bytes written_request;
    // The address whose identity was last asked for: a new selection is asked for its own. None
    // after a clean slate, so the sensor then selected is asked even at the same address.
    std::optional<std::uint8_t> identity_address;
    // Identity replies rejected in a row, each asked for again, up to a limit.
    std::uint8_t identity_requests_repeated = 0;
    // Failed writes in a row; the fourth closes the port.
    std::uint8_t write_failures = 0;
    // The status line says no usable answer came; the text it had before comes back with the
    // next answer.
    bool lost_contact_shown = false;
    std::string status_before_lost_contact;
    // Ticks in a row whose bytes held nothing that could be used.
    std::uint8_t unusable_ticks = 0;
    // A request went unanswered since the last good reply: the sensor that answers next may have
    // been swapped in at the same address.
    bool silence_seen = false;
    // A mode was written: the mode controls are redrawn from the answer to the first poll
    // written after it, not from a measurement that was already on its way.
    bool mode_redraw_after_poll = false;
};

}  // namespace qm720
