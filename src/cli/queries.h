#pragma once

#include <cstdint>

#include "cli/invocation.h"
#include "cli/output.h"
#include "cli/sensor_link.h"
#include "protocol/reply_fields.h"
#include "protocol/reply_fields.h"

namespace qm720::cli {

// Requests that change nothing, resent on a lost answer.
MeasurementFields read_measurement(SensorLink& link, std::uint8_t address);
// The mode byte of a fresh measurement; a reply without one is no valid answer.
std::uint8_t reported_mode(SensorLink& link, std::uint8_t address);
IdentityFields read_identity(SensorLink& link, std::uint8_t address);

void scan_command(SensorLink& link, Output& output);
void read_command(SensorLink& link, Output& output, const Invocation& invocation);
void identity_command(SensorLink& link, Output& output, const Invocation& invocation);
void watch_command(SensorLink& link, Output& output, const Invocation& invocation);

}  // namespace qm720::cli
