#pragma once

#include "core/bytes.h"
#include "sim/noise.h"
#include "sim/sensor_settings.h"

namespace qm720::sim {

// A code the tool has no handling for.
inline constexpr std::uint8_t kUnknownReplyCode = 0xE7;

// `reply` as a faulty sensor would send it. Garbage and the noise byte before a frame draw from
// all 256 values, the reply prefix 0x3E included, as a real line's noise does.
Bytes with_faults(Bytes reply, const SensorFaults& faults, Noise& noise);

}  // namespace qm720::sim
