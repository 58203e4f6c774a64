#include "exchange/reply_dispatch.h"

#include <array>
#include <string_view>

#include "app/frm_serial.h"
#include "presentation/identity_reply.h"
#include "presentation/measurement_reply.h"
#include "presentation/mode_byte.h"
#include "protocol/reply_frame.h"
#include "protocol/reply_layout.h"
#include "protocol/requests.h"

namespace qm720 {

namespace {

struct Confirmation {
    std::uint8_t code;
    std::string_view text;  // shown on the status line and logged, blanks included
};

constexpr std::uint8_t code_of(CommandCode code) {
    return static_cast<std::uint8_t>(code);
}

constexpr std::array<Confirmation, 10> kConfirmations = {{
    {code_of(CommandCode::SetMode), " Установлен новый режим."},
    {code_of(CommandCode::CalibrateFull), " Установлен верхний уровень."},
    {code_of(CommandCode::CalibrateEmpty), " Установлен нижний уровень."},
    {code_of(CommandCode::ShiftFull), "Сдвинут верхний уровень."},
    {code_of(CommandCode::ShiftEmpty), "Сдвинут нижний уровень."},
    {code_of(CommandCode::SetAddress), " Установлен сетевой номер."},
    {code_of(CommandCode::WriteSerialNumber), "Установлен серийный номер."},
    {code_of(CommandCode::EnterPassword), "Пароль принят."},
    {kPasswordRefusedCode, "Неверный пароль."},
    {code_of(CommandCode::ChangePassword), "Пароль изменен."},
}};

const Confirmation* confirmation_for(std::uint8_t code) {
    for (const Confirmation& confirmation : kConfirmations) {
        if (confirmation.code == code) {
            return &confirmation;
        }
    }
    return nullptr;
}

bool from_selected_sensor(const frmSerial& form, const Bytes& reply) {
    return reply[kAddressOffset] == form.selected_address();
}

// While every address is polled (z255), any sensor's measurement is the one asked for.
bool from_polled_sensor(const frmSerial& form, const Bytes& reply) {
    return form.control("z255").checked || from_selected_sensor(form, reply);
}

AnswerUse take_measurement(frmSerial& form, const Bytes& reply, std::uint8_t crc) {
    if (reply.back() != crc || reply.size() < kShortestMeasurement ||
        !from_polled_sensor(form, reply)) {
        return AnswerUse::Unusable;
    }
    show_measurement(form, reply);
    return AnswerUse::Measurement;
}

// One damaged byte would show, log and offer for "next number" a serial the sensor never had.
AnswerUse take_identity(frmSerial& form, const Bytes& reply, std::uint8_t crc) {
    if (reply.back() != crc || !from_selected_sensor(form, reply)) {
        return AnswerUse::Unusable;
    }
    show_identity(form, reply);
    return AnswerUse::Neutral;
}

void report_unrecognised(frmSerial& form) {
    form.control("MsgCom").caption = " Непонятно что пришло! ";
    form.log_line("Непонятно что пришло!");
    form.dialogs.ok_box("Ответ не соответствует запросу");
    form.log_line("Ответ не соответствует запросу");
}

}  // namespace

AnswerUse dispatch_reply(frmSerial& form, const Bytes& reply, std::uint8_t crc) {
    const std::uint8_t code = reply[kCodeOffset];
    if (code == code_of(CommandCode::Poll)) {
        return take_measurement(form, reply, crc);
    }
    if (code == code_of(CommandCode::Identity)) {
        return take_identity(form, reply, crc);
    }
    if (code == kParameterReplyCode) {
        form.control("MsgCom").caption = "Пар.";
        return AnswerUse::Neutral;
    }
    const Confirmation* confirmation = confirmation_for(code);
    if (confirmation == nullptr) {
        report_unrecognised(form);
        return AnswerUse::Unusable;
    }
    form.control("MsgCom").caption = std::string(confirmation->text);
    form.log_line(std::string(confirmation->text));
    // Without a mode byte, or with a damaged one, the controls keep their picture rather than
    // show a mode the sensor does not have.
    if (code == code_of(CommandCode::SetMode) && holds(reply, kConfirmedModeField) &&
        reply.back() == crc) {
        show_mode(form, reply[kConfirmedModeField.offset]);
    }
    return AnswerUse::Neutral;
}

}  // namespace qm720
