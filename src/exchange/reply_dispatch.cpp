#include "exchange/reply_dispatch.h"

#include <array>
#include <string_view>

#include "app/frm_serial.h"
#include "presentation/identity_reply.h"
#include "presentation/measurement_reply.h"
#include "presentation/mode_byte.h"
#include "protocol/reply_acceptance.h"
#include "protocol/reply_frame.h"
#include "protocol/reply_layout.h"
#include "protocol/requests.h"

namespace qm720 {

namespace {

struct Confirmation {
    std::uint8_t code;
    std::string_view text;  // shown on the status line and logged, blanks included
};

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

// A request left unanswered since the last good reply may hide a swap: a sensor taken off the
// line and another put on at the same address. Its first measurement is then shown as a new
// sensor's, and the next tick asks it who it is.
AnswerUse take_measurement(frmSerial& form, const Bytes& reply) {
    if (form.link.silence_seen) {
        form.clear_sensor_readings();
    }
    show_measurement(form, reply);
    return AnswerUse::Measurement;
}

AnswerUse take_identity(frmSerial& form, const Bytes& reply) {
    if (form.link.silence_seen) {
        form.clear_sensor_readings();
        form.link.identity_address = reply[kAddressOffset];  // asked and answered
    }
    form.link.identity_requests_repeated = 0;
    show_identity(form, reply);
    return AnswerUse::Neutral;
}

// One damaged byte would show, log and offer for "next number" a serial the sensor never had;
// a rejected identity is asked for again a few times rather than left unknown.
void ask_identity_again(frmSerial& form) {
    constexpr std::uint8_t kRepeatsAfterRejection = 3;
    if (form.link.identity_requests_repeated < kRepeatsAfterRejection) {
        ++form.link.identity_requests_repeated;
        form.link.identity_address.reset();
    }
}

AnswerUse take_confirmation(frmSerial& form, const JudgedReply& reply) {
    const std::uint8_t code = reply.frame[kCodeOffset];
    const Confirmation* confirmation = confirmation_for(code);
    if (confirmation == nullptr) {
        return AnswerUse::Unusable;
    }
    form.control("MsgCom").caption = std::string(confirmation->text);
    form.log_line(std::string(confirmation->text));
    // Without a mode byte, or with a damaged one, the controls keep their picture rather than
    // show a mode the sensor does not have.
    if (code == code_of(CommandCode::SetMode) && holds(reply.frame, kConfirmedModeField) &&
        reply.intact) {
        show_mode(form, reply.frame[kConfirmedModeField.offset]);
    }
    return AnswerUse::Neutral;
}

void report_unrecognised(frmSerial& form) {
    form.control("MsgCom").caption = " Непонятно что пришло! ";
    form.log_line("Непонятно что пришло!");
    form.dialogs.ok_box("Ответ не соответствует запросу");
    form.log_line("Ответ не соответствует запросу");
}

}  // namespace

void show_read(frmSerial& form, const Bytes& read) {
    constexpr std::size_t kLongestShownRead = 29;
    if (read.size() <= kLongestShownRead) {
        Bytes shown = read;
        shown.push_back(reply_check_crc(read));
        form.show_frame(shown);
    }
}

AnswerUse dispatch_reply(frmSerial& form, const Bytes& read, const Bytes& answered_request) {
    const JudgedReply reply = judge_reply(read, {.asked = answered_request,
                                                 .reading_address = form.selected_address(),
                                                 .broadcast_poll_answered_by_anyone = true,
                                                 .lenient_confirmations = true});
    show_read(form, reply.frame);
    switch (reply.kind) {
        case ReplyKind::Measurement:
            return take_measurement(form, reply.frame);
        case ReplyKind::Identity:
            return take_identity(form, reply.frame);
        case ReplyKind::Confirmation:
            return take_confirmation(form, reply);
        case ReplyKind::ParameterReply:
            form.control("MsgCom").caption = "Пар.";
            return AnswerUse::Neutral;
        case ReplyKind::Unrecognised:
            report_unrecognised(form);
            return AnswerUse::Unusable;
        case ReplyKind::Unusable:
            break;
    }
    if (is_reply_frame(reply.frame) && reply.frame[kCodeOffset] == code_of(CommandCode::Identity)) {
        ask_identity_again(form);
    }
    return AnswerUse::Unusable;
}

}  // namespace qm720
