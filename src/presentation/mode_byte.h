#pragma once

#include <cstdint>

namespace qm720 {

class frmSerial;

// Shows a mode byte in the "Режимы" controls.
void show_mode(frmSerial& form, std::uint8_t mode);

}  // namespace qm720
