#include "commands/sensor_identity.h"

#include <limits>
#include <string>

#include "app/frm_serial.h"
#include "commands/unknown_sensor.h"
#include "core/text_number.h"
#include "protocol/requests.h"

namespace qm720 {

namespace {

constexpr const char* kNoAddress = "Установите существующий сетевой адрес";

// The caller has emptied the pending request already: whatever was pending goes, even if the
// command is then abandoned.
void write_serial_number(frmSerial& form, const std::string& text, std::int64_t increment) {
    if (text.empty()) {
        return;
    }
    const auto address = form.selected_address();
    if (!address) {
        form.dialogs.ok_box(kNoAddress);
        form.show_frame(form.session.queued_request());
        return;
    }
    auto serial_number = number_in_range(text, std::numeric_limits<std::int32_t>::min(),
                                         std::numeric_limits<std::int32_t>::max());
    if (serial_number) {
        *serial_number += increment;
    }
    const auto frame = serial_number && *serial_number <= kMaxSerialNumber
                           ? write_serial_number_request(*address, *serial_number)
                           : std::nullopt;
    if (!frame) {
        form.dialogs.ok_box("Введите число в диапазоне 0....2 000 000");
        return;
    }
    form.session.queue(*frame);
    form.show_frame(form.session.queued_request());
}

}  // namespace

void write_address(frmSerial& form) {
    const auto address = form.selected_address();
    const std::string answer =
        form.dialogs.input_box("Введите новый сетевой номер", "Ввод сетевого номера",
                               address ? form.control("CmbNet").caption : std::string());
    if (answer.empty()) {
        return;
    }
    if (!address) {
        form.dialogs.ok_box(kNoAddress);
        return;
    }
    const auto new_address = address_from_text(answer);
    if (!new_address) {
        form.dialogs.ok_box("Введите число в диапазоне 0....255");
        return;
    }
    form.session.queue(set_address_request(*address, *new_address));
    form.show_frame(form.session.queued_request());
    form.log_line("Cmd Set New net addr = " + std::to_string(*new_address));
}

void write_typed_serial_number(frmSerial& form) {
    form.session.queue({});
    write_serial_number(
        form, form.dialogs.input_box("Введите серийный номер", "Ввод серийного номера", "0"), 0);
}

void write_next_serial_number(frmSerial& form) {
    form.session.queue({});
    // Only a number the selected sensor reported itself may be counted on from.
    if (form.selected_address() && !form.session.identity_known()) {
        refuse_unknown_sensor(form);
        return;
    }
    write_serial_number(form, form.control("sn").caption, 1);
}

}  // namespace qm720
