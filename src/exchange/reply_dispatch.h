#pragma once

#include <cstdint>

#include "core/bytes.h"

namespace qm720 {

class frmSerial;

// Acts on a reply frame by its code alone: decoders for measurement, identity and mode replies,
// a status line for each confirmation, a box for anything unrecognised. `crc` is the CRC-8 of
// every byte of `reply` but the last; only the measurement reply is held to it.
void dispatch_reply(frmSerial& form, const Bytes& reply, std::uint8_t crc);

}  // namespace qm720
