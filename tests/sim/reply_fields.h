#pragma once

#include <cstddef>
#include <cstdint>

#include "core/bytes.h"
#include "sim/sensor_bus.h"

namespace qm720::test {

// The unsigned little-endian number of `width` bytes at 1-based `position` of a reply frame,
// read the way the tool reads it.
inline std::uint32_t field(const Bytes& frame, std::size_t position, std::size_t width) {
    std::uint32_t value = 0;
    for (std::size_t k = width; k > 0; --k) {
        value = value * 256 + frame.at(position + k - 2);
    }
    return value;
}

inline sim::SensorBus steady_bus(const std::vector<sim::SensorSettings>& sensors) {
    return sim::SensorBus(sensors, {.seed = 1, .steady = true});
}

}  // namespace qm720::test
