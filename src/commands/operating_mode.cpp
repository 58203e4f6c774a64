#include "commands/operating_mode.h"

#include <string>

#include "app/frm_serial.h"
#include "commands/remote_line.h"
#include "core/text_number.h"
#include "protocol/mode_bits.h"
#include "protocol/requests.h"

namespace qm720 {

namespace {

std::uint8_t flags_from_controls(const frmSerial& form) {
    std::uint8_t flags = 0;
    if (form.control("iinv").checked)
        flags |= kInversionBit;
    if (form.control("usredn").checked)
        flags |= kSmoothingBit;
    if (form.control("D_4096").checked)
        flags |= kRange4096Bit;
    return flags;
}

}  // namespace

std::uint8_t mode_from_controls(const frmSerial& form) {
    std::uint8_t output_mode = 0;
    for (const OutputMode& output : kOutputModes) {
        if (form.control(output.option).checked) {
            output_mode = output.selector;
        }
    }
    return output_mode | flags_from_controls(form);
}

void write_mode(frmSerial& form) {
    const std::uint8_t mode = mode_from_controls(form);
    const auto address = form.selected_address();
    if (!address || !form.dialogs.yes_no_box(
                        "Сейчас будет изменен режим работы датчика. Вы уверены что это нужно?")) {
        return;
    }
    form.log_line("Cmd Change mode to " + std::to_string(mode));
    form.session.queue(set_mode_request(*address, mode));
}

void generate_mode_line(frmSerial& form) {
    const std::string answer =
        form.dialogs.input_box("Введите сетевой адрес удаленного датчика", "Изменение режима", "0");
    // Remote sensors take a new mode only in RS-485 output mode, so no other mode is offered.
    if (!form.control("R485").checked) {
        form.dialogs.ok_box("В этом режиме нельзя изменить.");
        return;
    }
    if (const auto address = remote_address_from(form, answer)) {
        show_generated_line(form, set_mode_request(*address, flags_from_controls(form)),
                            "Cmd GenMode: ");
    }
}

}  // namespace qm720
