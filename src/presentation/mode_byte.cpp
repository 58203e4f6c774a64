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

void show_mode(frmSerial& form, std::uint8_t mode) {
    form.control("iinv").checked = (mode & kInversionBit) != 0;

    const bool range_4096 = (mode & kRange4096Bit) != 0;
    form.control("D_4096").checked = range_4096;
    form.level_full_scale = range_4096 ? 4096 : 1024;

    const std::uint8_t selector = mode & kOutputModeMask;
    if (names_an_option(selector)) {
        for (const OutputMode& output : kOutputModes) {
            form.control(output.option).checked = output.selector == selector;
        }
    }

    form.control("usredn").checked = (mode & kSmoothingBit) != 0;
    form.redraw_mode_from_next_reply = false;
    form.drawn_mode_text = std::to_string(mode);
}

}  // namespace qm720
