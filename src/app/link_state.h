#pragma once

#include <cstdint>
#include <string>

#include "core/bytes.h"

namespace qm720 {

// What the exchange with the sensors carries from one tick to the next.
struct LinkState {
    // The request the next tick writes; empty when the tick should poll.
    Bytes pending_request;
    // The address whose identity was last asked for: a new selection is asked for its own.
    std::uint8_t identity_address = 0;
    // Failed writes in a row; the fourth closes the port.
    std::uint8_t write_failures = 0;
    // The scan has been written and its bare address bytes are the next answer.
    bool scan_awaited = false;
    // The status line says no usable answer came; the text it had before comes back with the
    // next answer.
    bool lost_contact_shown = false;
    std::string status_before_lost_contact;
    // Ticks in a row whose bytes held nothing that could be used.
    std::uint8_t unusable_ticks = 0;
};

}  // namespace qm720
