#pragma once

#include <cstdint>
#include <vector>

namespace qm720::sim {

// Ways a sensor misbehaves, so that the tool's handling of a bad line can be seen.
struct SensorFaults {
    bool silent = false;            // hears nothing, answers nothing, not even the scan
    bool bad_crc = false;           // measurement replies carry a wrong CRC
    bool unknown_code = false;      // every reply carries a code the tool does not know
    bool garbage = false;           // every reply is replaced by line noise of the same length
    bool noisy = false;             // one byte of line noise goes before every reply
    bool wrong_address = false;     // every reply carries the next address, with a CRC to match
    bool bad_identity = false;      // the identity reply's serial number is damaged under its CRC
    bool short_mode_reply = false;  // the set-mode confirmation lacks its mode byte
};

// Everything one sensor starts with. The readings (level, temperature, current value) are the
// centre around which the reported values wander.
struct SensorSettings {
    std::uint8_t address = 1;
    std::uint32_t serial_number = 0;
    std::uint8_t software_version = 163;
    std::uint8_t version_prefix = 0;
    std::uint8_t mode = 0x00;
    std::uint32_t empty_level = 100000;
    std::uint32_t full_level = 190000;
    std::uint16_t level = 512;
    std::int8_t temperature = 22;
    std::uint32_t current_value = 145000;
    std::uint16_t k_value = 600;
    std::uint32_t password = 0;
    SensorFaults faults;
    // Identity replies still to come damaged as by the fault `badid`, one at a time: a line that
    // hurts a few answers, not a sensor that always lies.
    std::uint32_t damaged_identities = 0;
};

// A plausible sensor at `address`: calibration ratio just above 1.9, varied by address so that
// two sensors never show the same values, and a current value halfway between the levels.
SensorSettings sensor_defaults(std::uint8_t address);

// Three sensors at 1, 5 and 17: a current one with every feature, one with smoothing on, and an
// old one in the 4096 range.
std::vector<SensorSettings> default_bus();

}  // namespace qm720::sim
