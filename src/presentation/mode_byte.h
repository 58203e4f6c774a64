#pragma once

#include <cstdint>

#include "protocol/mode_bits.h"

namespace qm720 {

class frmSerial;

// Shows a mode byte in the "Режимы" controls and sets the level bar's full scale.
void show_mode(frmSerial& form, std::uint8_t mode);

}  // namespace qm720
