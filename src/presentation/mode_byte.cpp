#include "presentation/mode_byte.h"

#include "app/frm_serial.h"

namespace qm720 {

namespace {

bool names_an_option(std::uint8_t selector) {
    for (const OutputMode& mode : kOutputModes) {
        if (mode.selector == selector) {
            return true;
        }
    }
    return false;
}

}  // namespace

void Out_modes(frmSerial& form, std::uint8_t M) {
    form.control("iinv").checked = (M & kInversionBit) != 0;

    const bool range_4096 = (M & kRange4096Bit) != 0;
    form.control("D_4096").checked = range_4096;
    form.Ur_progressBar = range_4096 ? 4096 : 1024;

    const std::uint8_t selector = M & kOutputModeMask;
    if (names_an_option(selector)) {
        for (const OutputMode& mode : kOutputModes) {
            form.control(mode.option).checked = mode.selector == selector;
        }
    }

    form.control("usredn").checked = (M & kSmoothingBit) != 0;
    form.mode_yes = false;
    form.mode_str = std::to_string(M);
}

}  // namespace qm720
