#pragma once

#include <cstdint>

namespace qm720 {

class frmSerial;

// The mode byte the "Режимы" controls describe: the chosen output mode and the three flags.
std::uint8_t mode_from_controls(const frmSerial& form);

// "&Установить": write the mode to the selected sensor.
void Set_mode_Click(frmSerial& form);

// "Сгенерировать": the set-mode command line for a remote sensor in RS-485 output mode.
void Gen_ust_Click(frmSerial& form);

}  // namespace qm720
