#include "sim/sensor_settings.h"

#include "protocol/mode_bits.h"

namespace qm720::sim {

SensorSettings sensor_defaults(std::uint8_t address) {
    SensorSettings sensor;
    sensor.address = address;
    sensor.serial_number = 100000 + address;
    sensor.empty_level = 100000 + 40u * address;
    sensor.full_level = sensor.empty_level / 10 * 19 + 300u * (address % 7);
    sensor.current_value = sensor.empty_level + (sensor.full_level - sensor.empty_level) / 2;
    return sensor;
}

std::vector<SensorSettings> default_bus() {
    SensorSettings first = sensor_defaults(1);
    first.serial_number = 123456;
    first.software_version = 163;
    first.mode = 0x00;
    first.empty_level = 100000;
    first.full_level = 190000;
    first.level = 512;
    first.temperature = 23;
    first.current_value = 145000;

    SensorSettings smoothing = sensor_defaults(5);
    smoothing.serial_number = 200501;
    smoothing.software_version = 131;
    smoothing.mode = kSmoothingBit;
    smoothing.empty_level = 98500;
    smoothing.full_level = 186200;
    smoothing.level = 300;
    smoothing.temperature = 19;
    smoothing.current_value = 124190;
    smoothing.k_value = 580;

    SensorSettings wide_range = sensor_defaults(17);
    wide_range.serial_number = 1017;
    wide_range.software_version = 120;
    wide_range.mode = kRange4096Bit;
    wide_range.empty_level = 101200;
    wide_range.full_level = 194300;
    wide_range.level = 2900;
    wide_range.temperature = -4;
    wide_range.current_value = 167117;
    wide_range.k_value = 640;

    return {first, smoothing, wide_range};
}

}  // namespace qm720::sim
