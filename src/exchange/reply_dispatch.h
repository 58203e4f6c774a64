#pragma once

#include <cstdint>

#include "core/bytes.h"

namespace qm720 {

class frmSerial;

// What one tick's answer was worth: a good measurement of the polled sensor; something that
// neither counts nor breaks a run of bad answers (a confirmation, a good identity, a scan
// answer); or nothing that could be used.
enum class AnswerUse { Measurement, Neutral, Unusable };

// Acts on a reply frame by its code: decoders for measurement, identity and mode replies, a
// status line for each confirmation, a box for anything unrecognised. `crc` is the CRC-8 of
// every byte of `reply` but the last. Readings are believed only when intact and from the
// sensor asked; confirmations are shown whatever their CRC, since the sensor did act.
AnswerUse dispatch_reply(frmSerial& form, const Bytes& reply, std::uint8_t crc);

}  // namespace qm720
