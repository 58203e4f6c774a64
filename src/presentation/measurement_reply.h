#pragma once

#include "core/bytes.h"
#include "protocol/reply_fields.h"

namespace qm720 {

class frmSerial;

// Shows a measurement reply (code 0xF0, CRC already checked): level and level bar, temperature,
// current value and stability lamp, address, calibration values with their colour and hint,
// the mode byte, and one summary line in the log. A reply too short to hold every field
// changes nothing.
void show_measurement(frmSerial& form, const Bytes& reply);

}  // namespace qm720
