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

// A request left unanswered since the last good answer may hide a swap: a sensor taken off the
// line and another put on at the same address. Its first measurement is then shown as a new
// sensor's, and the next tick asks it who it is.
AnswerUse take_measurement(frmSerial& form, const Bytes& reply) {
    if (!reply_intact(reply) || reply.size() < kShortestMeasurement ||
        !from_polled_sensor(form, reply)) {
        return AnswerUse::Unusable;
    }
    if (form.link.silence_seen) {
        form.clear_sensor_readings();
    }
    show_measurement(form, reply);
    return AnswerUse::Measurement;
}

// One damaged byte would show, log and offer for "next number" a serial the sensor never had;
// a rejected identity is asked for again a few times rather than left unknown.
AnswerUse take_identity(frmSerial& form, const Bytes& reply) {
    constexpr std::uint8_t kRepeatsAfterRejection = 3;
    if (!reply_intact(reply) || !from_selected_sensor(form, reply)) {
        if (form.link.identity_requests_repeated < kRepeatsAfterRejection) {
            ++form.link.identity_requests_repeated;
            form.link.identity_address.reset();
        }
        return AnswerUse::Unusable;
    }
    if (form.link.silence_seen) {
        form.clear_sensor_readings();
        form.link.identity_address = reply[kAddressOffset];  // asked and answered
    }
    form.link.identity_requests_repeated = 0;
    show_identity(form, reply);
    return AnswerUse::Neutral;
}

// The confirmation `code` answers the request written before it: the same code, or a
// password refusal of either password request.
bool answers_request(std::uint8_t code, const Bytes& request) {
    if (request.size() <= kCodeOffset) {
        return false;
    }
    const std::uint8_t asked = request[kCodeOffset];
    if (code == kPasswordRefusedCode) {
        return asked == code_of(CommandCode::EnterPassword) ||
               asked == code_of(CommandCode::ChangePassword);
    }
    return asked == code;
}

AnswerUse take_confirmation(frmSerial& form, const Bytes& reply, const Confirmation& confirmation,
                            const ReplyContext& context) {
    if (!answers_request(confirmation.code, context.answered_request) ||
        (context.after_noise && !reply_intact(reply))) {
        return AnswerUse::Unusable;
    }
    form.control("MsgCom").caption = std::string(confirmation.text);
    form.log_line(std::string(confirmation.text));
    // Without a mode byte, or with a damaged one, the controls keep their picture rather than
    // show a mode the sensor does not have.
    if (confirmation.code == code_of(CommandCode::SetMode) && holds(reply, kConfirmedModeField) &&
        reply_intact(reply)) {
        show_mode(form, reply[kConfirmedModeField.offset]);
    }
    return AnswerUse::Neutral;
}

// Only the sensor asked can say that it did not understand the request; a damaged frame, or one
// from another address, is more likely noise than a sensor.
AnswerUse report_unrecognised(frmSerial& form, const Bytes& reply, const ReplyContext& context) {
    const Bytes& asked = context.answered_request;
    const bool from_sensor_asked =
        asked.size() > kAddressOffset && (asked[kAddressOffset] == kBroadcastAddress ||
                                          asked[kAddressOffset] == reply[kAddressOffset]);
    if (!reply_intact(reply) || !from_sensor_asked) {
        return AnswerUse::Unusable;
    }
    form.control("MsgCom").caption = " Непонятно что пришло! ";
    form.log_line("Непонятно что пришло!");
    form.dialogs.ok_box("Ответ не соответствует запросу");
    form.log_line("Ответ не соответствует запросу");
    return AnswerUse::Unusable;
}

}  // namespace

AnswerUse dispatch_reply(frmSerial& form, const Bytes& reply, const ReplyContext& context) {
    const std::uint8_t code = reply[kCodeOffset];
    if (code == code_of(CommandCode::Poll)) {
        return take_measurement(form, reply);
    }
    if (code == code_of(CommandCode::Identity)) {
        return take_identity(form, reply);
    }
    if (code == kParameterReplyCode) {
        if (!reply_intact(reply)) {
            return AnswerUse::Unusable;
        }
        form.control("MsgCom").caption = "Пар.";
        return AnswerUse::Neutral;
    }
    const Confirmation* confirmation = confirmation_for(code);
    if (confirmation == nullptr) {
        return report_unrecognised(form, reply, context);
    }
    return take_confirmation(form, reply, *confirmation, context);
}

}  // namespace qm720
