#pragma once

#include <cstdint>

#include "core/bytes.h"
#include "sim/noise.h"
#include "sim/sensor_settings.h"

namespace qm720::sim {

// The readings one poll reports.
struct Readings {
    std::uint16_t level = 0;
    std::int8_t temperature = 0;
    std::uint32_t current_value = 0;
};

// One sensor: its stored settings, its readings and its password, changed by the commands
// addressed to it. It knows nothing of the line: the bus hands it intact requests.
class SimulatedSensor {
  public:
    // `steady` keeps the readings at their centre; otherwise each poll moves them a little,
    // the same way for the same seed.
    SimulatedSensor(const SensorSettings& settings, std::uint32_t seed, bool steady);

    // The reply to an intact request with this code and payload (the bytes between code and
    // CRC), faults applied; empty when the sensor keeps quiet.
    Bytes answer(std::uint8_t code, const Bytes& payload);

    std::uint8_t address() const { return settings_.address; }
    bool silent() const { return settings_.faults.silent; }
    // The present settings: calibration, mode, address and serial number follow the commands.
    const SensorSettings& settings() const { return settings_; }

  private:
    Bytes honest_reply(std::uint8_t code, const Bytes& payload);
    Bytes measurement_reply();
    Bytes identity_reply() const;
    Bytes confirmation(std::uint8_t code) const;
    // `reply` with its payload in place and room for prefix, address and code, framed.
    Bytes frame(std::uint8_t code, Bytes reply) const;
    void take_readings();
    void shift(std::uint32_t& level_value, const Bytes& payload);
    Bytes enter_password(std::uint32_t password);
    Bytes change_password(std::uint32_t password);

    SensorSettings settings_;
    Noise noise_;
    bool steady_;
    bool password_entered_ = false;
    Readings last_readings_;
};

}  // namespace qm720::sim
