#include "sim/simulated_sensor.h"

#include <algorithm>
#include <limits>

#include "protocol/crc8.h"
#include "protocol/reply_frame.h"
#include "protocol/reply_layout.h"
#include "protocol/requests.h"
#include "sim/reply_faults.h"

namespace qm720::sim {

namespace {

// How far one poll may move each reading from its centre. The current value stays within
// 0.0025 %, well inside what the tool's stability lamp accepts, so a steady tank shows green.
constexpr std::uint32_t kLevelWander = 2;
constexpr std::uint32_t kTemperatureWander = 1;
constexpr std::uint32_t kCurrentWanderDivisor = 40000;

template <typename T>
T clamped(std::int64_t value) {
    return static_cast<T>(std::clamp<std::int64_t>(value, std::numeric_limits<T>::min(),
                                                   std::numeric_limits<T>::max()));
}

// Requests carry numbers most significant byte first.
std::uint32_t big_endian(const Bytes& payload) {
    std::uint32_t value = 0;
    for (const std::uint8_t byte : payload) {
        value = (value << 8) | byte;
    }
    return value;
}

}  // namespace

SimulatedSensor::SimulatedSensor(const SensorSettings& settings, std::uint32_t seed, bool steady)
    : settings_(settings),
      noise_(seed),
      steady_(steady),
      last_readings_{settings.level, settings.temperature, settings.current_value} {}

Bytes SimulatedSensor::answer(std::uint8_t code, const Bytes& payload) {
    if (silent()) {
        return {};
    }
    SensorFaults faults = settings_.faults;
    if (code == code_of(CommandCode::Identity) && settings_.damaged_identities > 0) {
        --settings_.damaged_identities;
        faults.bad_identity = true;
    }
    return with_faults(honest_reply(code, payload), faults, noise_);
}

Bytes SimulatedSensor::honest_reply(std::uint8_t code, const Bytes& payload) {
    switch (static_cast<CommandCode>(code)) {
        case CommandCode::Poll:
            return measurement_reply();
        case CommandCode::Identity:
            return identity_reply();
        case CommandCode::CalibrateFull:
            settings_.full_level = last_readings_.current_value;
            return confirmation(code);
        case CommandCode::CalibrateEmpty:
            settings_.empty_level = last_readings_.current_value;
            return confirmation(code);
        case CommandCode::ShiftFull:
            shift(settings_.full_level, payload);
            return confirmation(code);
        case CommandCode::ShiftEmpty:
            shift(settings_.empty_level, payload);
            return confirmation(code);
        case CommandCode::SetMode: {
            settings_.mode = payload.at(0);
            Bytes reply(kConfirmedModeField.end());
            set_field(reply, kConfirmedModeField, settings_.mode);
            return frame(code, reply);
        }
        case CommandCode::SetAddress: {
            // The confirmation still comes from the old address; the new one holds from then on.
            Bytes reply = confirmation(code);
            settings_.address = payload.at(0);
            return reply;
        }
        case CommandCode::WriteSerialNumber:
            settings_.serial_number = big_endian(payload);
            return confirmation(code);
        case CommandCode::EnterPassword:
            return enter_password(big_endian(payload));
        case CommandCode::ChangePassword:
            return change_password(big_endian(payload));
    }
    return {};
}

Bytes SimulatedSensor::measurement_reply() {
    take_readings();
    Bytes reply(kModeByteField.end());
    set_field(reply, kTemperatureField, static_cast<std::uint8_t>(last_readings_.temperature));
    set_field(reply, kLevelField, last_readings_.level);
    set_field(reply, kCurrentValueField, last_readings_.current_value);
    set_field(reply, kEmptyValueField, settings_.empty_level);
    set_field(reply, kFullValueField, settings_.full_level);
    set_field(reply, kKValueField, settings_.k_value);
    set_field(reply, kModeByteField, settings_.mode);
    return frame(code_of(CommandCode::Poll), reply);
}

Bytes SimulatedSensor::identity_reply() const {
    Bytes reply(kVersionPrefixField.end());
    set_field(reply, kSerialNumberField, settings_.serial_number);
    set_field(reply, kVersionField, settings_.software_version);
    set_field(reply, kVersionPrefixField, settings_.version_prefix);
    return frame(code_of(CommandCode::Identity), reply);
}

Bytes SimulatedSensor::confirmation(std::uint8_t code) const {
    return frame(code, Bytes(kPayloadOffset));
}

Bytes SimulatedSensor::frame(std::uint8_t code, Bytes reply) const {
    reply[0] = kReplyPrefix;
    reply[kAddressOffset] = settings_.address;
    reply[kCodeOffset] = code;
    return with_crc(reply);
}

void SimulatedSensor::take_readings() {
    if (steady_) {
        return;
    }
    last_readings_.level = clamped<std::uint16_t>(settings_.level + noise_.offset(kLevelWander));
    last_readings_.temperature =
        clamped<std::int8_t>(settings_.temperature + noise_.offset(kTemperatureWander));
    last_readings_.current_value = clamped<std::uint32_t>(
        settings_.current_value + noise_.offset(settings_.current_value / kCurrentWanderDivisor));
}

void SimulatedSensor::shift(std::uint32_t& level_value, const Bytes& payload) {
    const auto amount = static_cast<std::int16_t>(big_endian(payload));
    level_value = clamped<std::uint32_t>(std::int64_t{level_value} + amount);
}

Bytes SimulatedSensor::enter_password(std::uint32_t password) {
    password_entered_ = password == settings_.password;
    return confirmation(password_entered_ ? code_of(CommandCode::EnterPassword)
                                          : kPasswordRefusedCode);
}

// A sensor without a password (0) takes a new one at once; a protected one only after its
// password has been entered.
Bytes SimulatedSensor::change_password(std::uint32_t password) {
    if (settings_.password != 0 && !password_entered_) {
        return confirmation(kPasswordRefusedCode);
    }
    settings_.password = password;
    password_entered_ = true;
    return confirmation(code_of(CommandCode::ChangePassword));
}

}  // namespace qm720::sim
