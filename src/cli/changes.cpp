#include "cli/changes.h"

#include "cli/failure.h"
#include "cli/queries.h"
#include "cli/version_output.h"
#include "protocol/mode_bits.h"
#include "protocol/reply_frame.h"

namespace qm720::cli {

namespace {

void set_serial(SensorLink& link, std::uint8_t address, std::int64_t serial) {
    link.change(*write_serial_number_request(address, serial));
}

void set_address(SensorLink& link, std::uint8_t address, std::uint8_t new_address) {
    link.change(set_address_request(address, new_address));
}

}  // namespace

void calibrate_command(SensorLink& link, Output& output, const Command& command) {
    // Calibrating while the sensor smooths would store a smoothed value.
    if (smooths(reported_mode(link, command.address))) {
        throw Failure(ExitStatus::NotConfirmed,
                      "the sensor smooths its readings: turn smoothing off for the calibration "
                      "(set-mode " +
                          std::to_string(command.address) + " --smoothing off)");
    }
    link.change(calibrate_request(command.address, command.level));
    output.result({}, std::string(level_name(command.level)) + " level calibrated");
}

void shift_command(SensorLink& link, Output& output, const Command& command) {
    link.change(shift_request(command.address, command.level, command.amount));
    output.result({}, std::string(level_name(command.level)) + " level shifted by " +
                          std::to_string(command.amount));
}

void set_address_command(SensorLink& link, Output& output, const Command& command) {
    set_address(link, command.address, command.new_address);
    output.result({{"address", command.new_address}},
                  "address set to " + std::to_string(command.new_address));
}

void set_serial_command(SensorLink& link, Output& output, const Command& command) {
    set_serial(link, command.address, command.serial);
    output.result({{"serial", command.serial}},
                  "serial number set to " + std::to_string(command.serial));
}

void password_command(SensorLink& link, Output& output, const Command& command) {
    const CommandCode code =
        command.change_password ? CommandCode::ChangePassword : CommandCode::EnterPassword;
    const Bytes reply = link.change(*four_byte_request(command.address, code, command.password));
    if (reply[kCodeOffset] == kPasswordRefusedCode) {
        throw Failure(ExitStatus::NotConfirmed, "the sensor refused the password");
    }
    output.result({}, command.change_password ? "password changed" : "password accepted");
}

// Once the serial number is written a failure is never one a script may simply repeat: the
// sensor has changed.
void provision_command(SensorLink& link, Output& output, const Command& command) {
    set_serial(link, command.address, command.serial);
    set_address(link, command.address, command.new_address);
    const std::string at = std::to_string(command.new_address);
    IdentityFields identity;
    try {
        identity = read_identity(link, command.new_address);
    } catch (const Failure& failure) {
        throw Failure(ExitStatus::NotConfirmed,
                      "serial number and address sent, but the identity "
                      "read back at " +
                          at + " failed (" + failure.what() + "); check with identity " + at);
    }
    if (identity.serial_number != command.serial) {
        throw Failure(ExitStatus::NotConfirmed, "the sensor at " + at + " reports serial number " +
                                                    std::to_string(identity.serial_number));
    }
    const std::string version = comparable_version(identity.version_text);
    output.result(
        {{"address", command.new_address}, {"serial", command.serial}, {"version", version}},
        "sensor " + std::to_string(command.serial) + " at address " + at + ", version " + version);
}

}  // namespace qm720::cli
