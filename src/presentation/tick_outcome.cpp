#include "presentation/tick_outcome.h"

#include <array>
#include <string>
#include <string_view>

#include "app/colours.h"
#include "app/combo_box.h"
#include "app/frm_serial.h"
#include "presentation/identity_reply.h"
#include "presentation/measurement_reply.h"
#include "presentation/mode_byte.h"

namespace qm720 {

namespace {

struct ConfirmationText {
    CommandCode command;
    std::string_view text;  // shown on the status line and logged, blanks included
};

constexpr std::array<ConfirmationText, 8> kConfirmationTexts = {{
    {CommandCode::CalibrateFull, " Установлен верхний уровень."},
    {CommandCode::CalibrateEmpty, " Установлен нижний уровень."},
    {CommandCode::ShiftFull, "Сдвинут верхний уровень."},
    {CommandCode::ShiftEmpty, "Сдвинут нижний уровень."},
    {CommandCode::SetAddress, " Установлен сетевой номер."},
    {CommandCode::WriteSerialNumber, "Установлен серийный номер."},
    {CommandCode::EnterPassword, "Пароль принят."},
    {CommandCode::ChangePassword, "Пароль изменен."},
}};

void show_status(frmSerial& form, std::string_view text) {
    form.control("MsgCom").caption = std::string(text);
    form.log_line(std::string(text));
}

void show_write_failure(frmSerial& form, const WriteFailed& failure) {
    form.log_line("Ошибка записи в порт: " + failure.reason);
    form.dialogs.ok_box(failure.reason.empty() ? std::string("Ошибка записи в порт")
                                               : "Ошибка записи в порт\n" + failure.reason);
    if (failure.close_port) {
        form.close_port();  // stops the timer first
    }
}

void toggle_activity_lamp(frmSerial& form) {
    Colour& lamp = form.control("Pic").fill_colour;
    lamp = lamp == kWhite ? kGrey : kWhite;
}

// A read of 30 bytes or more is not shown.
void show_read(frmSerial& form, const TickOutcome& outcome) {
    constexpr std::size_t kLongestShownRead = 29;
    if (outcome.reply.size() <= kLongestShownRead) {
        Bytes shown = outcome.reply;
        shown.push_back(outcome.local_crc);
        form.show_frame(shown);
    }
}

// Every byte is one sensor's address, as it arrived: not sorted, checked or merged.
void show_scan_answer(frmSerial& form, const ScanAnswer& scan, const Bytes& read) {
    if (scan.addresses.empty()) {
        return;
    }
    std::string found;
    Control& addresses = form.control("CmbNet");
    clear_entries(addresses);
    for (const std::uint8_t address : scan.addresses) {
        add_entry(addresses, std::to_string(address));
        found += std::to_string(address) + " ";
    }
    select_entry(addresses, 0);
    form.follow_selected_address();

    form.control("netdev").caption = found;
    form.show_frame(read);
    form.log_line("Устройства в сети " + found);
    form.control("MsgCom").caption = "Произошел опрос сети.";
}

void report_unrecognised(frmSerial& form) {
    form.control("MsgCom").caption = " Непонятно что пришло! ";
    form.log_line("Непонятно что пришло!");
    form.dialogs.ok_box("Ответ не соответствует запросу");
    form.log_line("Ответ не соответствует запросу");
}

struct EventShower {
    frmSerial& form;
    const TickOutcome& outcome;

    void operator()(const NoAnswer&) const {}
    void operator()(const WriteFailed&) const {}
    void operator()(const MeasurementTaken& measurement) const {
        if (measurement.new_sensor) {
            form.clear_reading_controls();
        }
        show_measurement(form, measurement);
    }
    void operator()(const IdentityTaken& identity) const {
        if (identity.new_sensor) {
            form.clear_reading_controls();
        }
        show_identity(form, identity);
    }
    void operator()(const ModeConfirmed& confirmed) const {
        show_status(form, *confirmation_text(confirmed));
        if (confirmed.mode) {
            show_mode(form, *confirmed.mode);
        }
    }
    void operator()(const CommandConfirmed& confirmed) const {
        if (const auto text = confirmation_text(confirmed)) {
            show_status(form, *text);
        }
    }
    void operator()(const PasswordRefused& refused) const {
        show_status(form, *confirmation_text(refused));
    }
    void operator()(const ParameterReply&) const { form.control("MsgCom").caption = "Пар."; }
    void operator()(const Unrecognised&) const { report_unrecognised(form); }
    void operator()(const Unusable&) const {}
    void operator()(const ScanAnswer& scan) const { show_scan_answer(form, scan, outcome.reply); }
};

}  // namespace

std::optional<std::string_view> confirmation_text(const TickEvent& event) {
    if (std::holds_alternative<ModeConfirmed>(event)) {
        return " Установлен новый режим.";
    }
    if (std::holds_alternative<PasswordRefused>(event)) {
        return "Неверный пароль.";
    }
    if (const auto* confirmed = std::get_if<CommandConfirmed>(&event)) {
        for (const ConfirmationText& confirmation : kConfirmationTexts) {
            if (confirmation.command == confirmed->command) {
                return confirmation.text;
            }
        }
    }
    return std::nullopt;
}

void show_tick_outcome(frmSerial& form, const TickOutcome& outcome) {
    form.show_frame(outcome.request);
    if (const auto* failure = std::get_if<WriteFailed>(&outcome.event)) {
        show_write_failure(form, *failure);
        return;
    }
    toggle_activity_lamp(form);
    if (std::holds_alternative<NoAnswer>(outcome.event)) {
        form.show_lost_contact("Нет ответа от датчика с адресом ");
        return;
    }
    form.end_lost_contact();
    show_read(form, outcome);
    std::visit(EventShower{form, outcome}, outcome.event);
    form.control("Pic").fill_colour = kRed;
    if (outcome.readings_stale) {
        form.show_lost_contact("Нет достоверного ответа от датчика с адресом ");
    }
}

}  // namespace qm720
