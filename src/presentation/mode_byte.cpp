#include "presentation/mode_byte.h"

#include "app/frm_serial.h"
#include "protocol/mode_bits.h"

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

void show_mode(frmSerial& form, std::uint8_t mode) {
    form.control("iinv").checked = (mode & kInversionBit) != 0;

    form.control("D_4096").checked = (mode & kRange4096Bit) != 0;

    const std::uint8_t selector = mode & kOutputModeMask;
    if (names_an_option(selector)) {
        for (const OutputMode& output : kOutputModes) {
            form.control(output.option).checked = output.selector == selector;
        }
    }

    form.control("usredn").checked = (mode & kSmoothingBit) != 0;
}

}  // namespace qm720
