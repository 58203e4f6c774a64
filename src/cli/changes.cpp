#include "cli/changes.h"

#include "app/text_number.h"
#include "cli/arguments.h"
#include "cli/failure.h"
#include "cli/queries.h"
#include "protocol/mode_bits.h"
#include "protocol/reply_frame.h"

namespace qm720::cli {

namespace {

constexpr std::uint8_t code_of(CommandCode code) {
    return static_cast<std::uint8_t>(code);
}

void confirm(SensorLink& link, std::uint8_t address, const Bytes& request, CommandCode code) {
    link.change(request, {{address}, {code_of(code)}});
}

void set_serial(SensorLink& link, std::uint8_t address, std::int64_t serial) {
    confirm(link, address, *write_serial_number_request(address, serial),
            CommandCode::WriteSerialNumber);
}

// The confirmation may still come from the old address, or already from the new one.
void set_address(SensorLink& link, std::uint8_t address, std::uint8_t new_address) {
    link.change(set_address_request(address, new_address),
                {{address, new_address}, {code_of(CommandCode::SetAddress)}});
}

}  // namespace

void calibrate_command(SensorLink& link, Output& output, const Invocation& invocation) {
    const std::uint8_t address = address_argument(invocation.address);
    // Calibrating while the sensor smooths would store a smoothed value.
    const std::uint8_t mode = reported_mode(link, address);
    if ((mode & kSmoothingBit) != 0) {
        throw Failure(ExitStatus::NotConfirmed,
                      "На время калибровки снимите СГЛАЖИВАНИЕ и нажмите УСТАНОВИТЬ");
    }
    const Level level = level_argument(invocation.value);
    confirm(link, address, calibrate_request(address, level),
            level == Level::Full ? CommandCode::CalibrateFull : CommandCode::CalibrateEmpty);
    output.result({}, invocation.value + " level calibrated");
}

void shift_command(SensorLink& link, Output& output, const Invocation& invocation) {
    const std::uint8_t address = address_argument(invocation.address);
    const Level level = level_argument(invocation.value);
    const std::int16_t amount = shift_amount_argument(invocation.amount);
    confirm(link, address, shift_request(address, level, amount),
            level == Level::Full ? CommandCode::ShiftFull : CommandCode::ShiftEmpty);
    output.result({}, invocation.value + " level shifted by " + std::to_string(amount));
}

void set_address_command(SensorLink& link, Output& output, const Invocation& invocation) {
    const std::uint8_t new_address = address_argument(invocation.value);
    set_address(link, address_argument(invocation.address), new_address);
    output.result({{"address", new_address}}, "address set to " + std::to_string(new_address));
}

void set_serial_command(SensorLink& link, Output& output, const Invocation& invocation) {
    const std::int64_t serial = serial_number_argument(invocation.serial);
    set_serial(link, address_argument(invocation.address), serial);
    output.result({{"serial", serial}}, "serial number set to " + std::to_string(serial));
}

void password_command(SensorLink& link, Output& output, const Invocation& invocation,
                      std::istream& input) {
    const std::uint8_t address = address_argument(invocation.address);
    std::string typed;
    std::getline(input, typed);
    const auto password = number_in_range(typed, 0, kMaxPassword);
    if (!password) {
        throw Failure(
            ExitStatus::UsageError,
            "the password on standard input is no whole number 0.." + std::to_string(kMaxPassword));
    }
    const bool enter = invocation.value == "enter";
    const CommandCode code = enter ? CommandCode::EnterPassword : CommandCode::ChangePassword;
    const Bytes reply = link.change(*four_byte_request(address, code, *password),
                                    {{address}, {code_of(code), kPasswordRefusedCode}});
    if (reply[kCodeOffset] == kPasswordRefusedCode) {
        throw Failure(ExitStatus::NotConfirmed, "Неверный пароль.");
    }
    output.result({}, enter ? "Пароль принят." : "Пароль изменен.");
}

void provision_command(SensorLink& link, Output& output, const Invocation& invocation) {
    const std::uint8_t address = address_argument(invocation.address);
    const std::uint8_t new_address = address_argument(invocation.value);
    const std::int64_t serial = serial_number_argument(invocation.serial);
    set_serial(link, address, serial);
    set_address(link, address, new_address);
    const IdentityFields identity = read_identity(link, new_address);
    if (identity.serial_number != serial) {
        throw Failure(ExitStatus::NotConfirmed, "the sensor at " + std::to_string(new_address) +
                                                    " reports serial number " +
                                                    std::to_string(identity.serial_number));
    }
    output.result(
        {{"address", new_address}, {"serial", serial}, {"version", identity.version_text}},
        "sensor " + std::to_string(serial) + " at address " + std::to_string(new_address) +
            ", version " + identity.version_text);
}

}  // namespace qm720::cli
