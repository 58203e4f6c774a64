#include "commands/level_shift.h"

#include <limits>
#include <optional>
#include <string>

#include "app/frm_serial.h"
#include "commands/remote_line.h"
#include "core/text_number.h"
#include "protocol/requests.h"

namespace qm720 {

namespace {

struct ShiftCommand {
    Level level;
    const char* amount_box;
    const char* question;
    const char* shift_log;
    const char* generation_log;
};

const ShiftCommand kFullLevel{Level::Full, "sdv_verh",
                              "Сейчас будет сдвинут верхний уровень. Вы уверены что это нужно?",
                              "Cmd Shift Hight: ", "Cmd GenShift Up: "};
const ShiftCommand kEmptyLevel{Level::Empty, "sdv_niz",
                               "Сейчас будет сдвинут уровень пустого. Вы уверены что это нужно?",
                               "Cmd Shift Low: ", "Cmd GenShift Down: "};

// Text that is no 16-bit number is ignored without a word; a number outside the sensor's
// range is explained.
std::optional<std::int16_t> read_amount(frmSerial& form, const ShiftCommand& command) {
    const auto amount = number_in_range(form.control(command.amount_box).caption,
                                        std::numeric_limits<std::int16_t>::min(),
                                        std::numeric_limits<std::int16_t>::max());
    if (!amount) {
        return std::nullopt;
    }
    if (*amount > kMaxShift || *amount < -kMaxShift) {
        form.dialogs.ok_box("Значения могут быть от -1000 до 1000");
        return std::nullopt;
    }
    return static_cast<std::int16_t>(*amount);
}

void shift(frmSerial& form, const ShiftCommand& command) {
    const auto amount = read_amount(form, command);
    if (!amount) {
        return;
    }
    const auto address = form.selected_address();
    if (!address || !form.dialogs.yes_no_box(command.question)) {
        return;
    }
    form.session.queue(shift_request(*address, command.level, *amount));
    form.log_line(command.shift_log + std::to_string(*amount));
}

void generate(frmSerial& form, const ShiftCommand& command) {
    const auto address =
        remote_address_from(form, form.dialogs.input_box("Введите сетевой адрес удаленного датчика",
                                                         "Генерирование сдвига", "0"));
    if (!address) {
        return;
    }
    if (const auto amount = read_amount(form, command)) {
        show_generated_line(form, shift_request(*address, command.level, *amount),
                            command.generation_log);
    }
}

}  // namespace

void shift_full_level(frmSerial& form) {
    shift(form, kFullLevel);
}
void shift_empty_level(frmSerial& form) {
    shift(form, kEmptyLevel);
}
void generate_full_shift_line(frmSerial& form) {
    generate(form, kFullLevel);
}
void generate_empty_shift_line(frmSerial& form) {
    generate(form, kEmptyLevel);
}

}  // namespace qm720
