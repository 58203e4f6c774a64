#include "commands/password.h"

#include <string>

#include "app/frm_serial.h"
#include "core/text_number.h"
#include "protocol/requests.h"

namespace qm720 {

namespace {

struct PasswordCommand {
    CommandCode code;
    const char* prompt;
    const char* title;
    const char* default_text;
    const char* log_prefix;
};

// The caller has emptied the pending request already: whatever was pending goes, even if the
// command is then abandoned.
void send_password(frmSerial& form, const PasswordCommand& command) {
    const std::string answer =
        form.dialogs.input_box(command.prompt, command.title, command.default_text);
    if (answer.empty()) {
        return;
    }
    const auto address = form.selected_address();
    if (!address) {
        form.dialogs.ok_box("Установите допустимый пароль");
        return;
    }
    const auto password = number_in_range(answer, 0, kMaxPassword);
    const auto frame =
        password ? four_byte_request(*address, command.code, *password) : std::nullopt;
    if (!frame) {
        form.dialogs.ok_box("Введите числовой пароль в диапазоне 0....2 000 000 000");
        return;
    }
    form.session.queue(*frame);
    form.show_frame(form.session.queued_request());
    // As typed: the log is the record of what the operator entered.
    form.log_line(command.log_prefix + answer);
}

}  // namespace

void enter_password(frmSerial& form) {
    form.session.queue({});
    send_password(form, {CommandCode::EnterPassword, "Введите пароль", "Ввод пароля", "",
                         "Cmd Enter Password = "});
}

void change_password(frmSerial& form) {
    form.session.queue({});
    if (!form.dialogs.yes_no_box("Сейчас будет изменен пароль датчика. Если Вы забудете новый "
                                 "пароль, снять его сможет только производитель. МЕНЯЕМ ?")) {
        return;
    }
    send_password(form, {CommandCode::ChangePassword, "Введите новый пароль", "Ввод нового пароля",
                         "0", "Cmd New Password = "});
}

}  // namespace qm720
