#pragma once

#include "core/bytes.h"
#include "sim/noise.h"
#include "sim/sensor_settings.h"

namespace qm720::sim {

// A code the tool has no handling for.
inline constexpr std::uint8_t kUnknownReplyCode = 0xE7;

// `reply` as a faulty sensor would send it. Neither garbage nor the noise byte before a frame is
// ever 0x3E where a frame would start, so the tool cannot take them for one.
Bytes with_faults(Bytes reply, const SensorFaults& faults, Noise& noise);

}  // namespace qm720::sim
