#include "exchange/reply_dispatch.h"

#include <array>
#include <string_view>

#include "app/frm_serial.h"
#include "presentation/identity_reply.h"
#include "presentation/measurement_reply.h"
#include "presentation/mode_byte.h"
#include "protocol/reply_frame.h"
#include "protocol/requests.h"

namespace qm720 {

namespace {

constexpr std::size_t kCodeIndex = 2;
constexpr std::size_t kModeByteIndex = 3;

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

void report_unrecognised(frmSerial& form) {
    form.control("MsgCom").caption = " Непонятно что пришло! ";
    form.str_to_log("Непонятно что пришло!");
    form.dialogs.ok_box("Ответ не соответствует запросу");
    form.str_to_log("Ответ не соответствует запросу");
}

}  // namespace

void dispatch_reply(frmSerial& form, const Bytes& reply, std::uint8_t crc) {
    const std::uint8_t code = reply[kCodeIndex];
    if (code == code_of(CommandCode::Poll)) {
        // A damaged measurement would show wrong readings: drop it and keep the last ones.
        if (reply.back() == crc) {
            all_data_to_form(form, reply);
        }
        return;
    }
    if (code == code_of(CommandCode::Identity)) {
        assept_sn(form, reply);
        return;
    }
    if (code == kParameterReplyCode) {
        form.control("MsgCom").caption = "Пар.";
        return;
    }
    const Confirmation* confirmation = confirmation_for(code);
    if (confirmation == nullptr) {
        report_unrecognised(form);
        return;
    }
    form.control("MsgCom").caption = std::string(confirmation->text);
    form.str_to_log(std::string(confirmation->text));
    if (code == code_of(CommandCode::SetMode)) {
        Out_modes(form, reply[kModeByteIndex]);
    }
}

}  // namespace qm720
