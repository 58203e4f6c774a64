#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "protocol/mode_bits.h"

namespace qm720 {

class frmSerial;

// The five output modes: the selector (the bits under kOutputModeMask), the option button that
// shows it in the window and its name on the command line. In the order the window sets the
// options; the selectors 0x12, 0x14 and 0x16 name none.
struct OutputMode {
    std::uint8_t selector;
    std::string_view option;
    std::string_view name;
};
inline constexpr std::array<OutputMode, 5> kOutputModes = {{
    {0x00, "R485", "rs485"},
    {0x02, "R_a", "analog"},
    {0x04, "R_f", "frequency"},
    {0x06, "R_p", "periodic"},
    {0x10, "R_p485", "periodic-rs485"},
}};

// Shows a mode byte in the "Режимы" controls and sets the level bar's full scale.
void show_mode(frmSerial& form, std::uint8_t mode);

}  // namespace qm720
