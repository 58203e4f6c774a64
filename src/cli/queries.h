#pragma once

#include <cstdint>

#include "cli/arguments.h"
#include "cli/output.h"
#include "cli/sensor_link.h"
#include "protocol/reply_fields.h"

namespace qm720::cli {

// Requests that change nothing, resent on a lost answer.
MeasurementFields read_measurement(SensorLink& link, std::uint8_t address);
// The mode byte of a fresh measurement; a reply without one is no valid answer.
std::uint8_t reported_mode(SensorLink& link, std::uint8_t address);
IdentityFields read_identity(SensorLink& link, std::uint8_t address);

// Lists the addresses in the scan answer that an intact poll reply confirms (all of them with
// verification off); the others go to standard error and the JSON's "unconfirmed".
void scan_command(SensorLink& link, Output& output, const Command& command, std::ostream& err);
void read_command(SensorLink& link, Output& output, const Command& command);
void identity_command(SensorLink& link, Output& output, const Command& command);
// Ends normally at its count or at a stop signal.
void watch_command(SensorLink& link, Output& output, const Command& command);

}  // namespace qm720::cli
