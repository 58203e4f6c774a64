#pragma once

#include <cstdint>

namespace qm720 {

class frmSerial;

// The mode byte the "Режимы" controls describe: the chosen output mode and the three flags.
std::uint8_t mode_from_controls(const frmSerial& form);

// "&Установить": write the mode to the selected sensor.
void write_mode(frmSerial& form);

// "Сгенерировать": the set-mode command line for a remote sensor in RS-485 output mode.
void generate_mode_line(frmSerial& form);

}  // namespace qm720
