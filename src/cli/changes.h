#pragma once

#include "cli/arguments.h"
#include "cli/output.h"
#include "cli/sensor_link.h"

namespace qm720::cli {

// Requests that change the sensor: each is sent once and must be confirmed.
void calibrate_command(SensorLink& link, Output& output, const Command& command);
void shift_command(SensorLink& link, Output& output, const Command& command);
void set_address_command(SensorLink& link, Output& output, const Command& command);
void set_serial_command(SensorLink& link, Output& output, const Command& command);
void password_command(SensorLink& link, Output& output, const Command& command);
void provision_command(SensorLink& link, Output& output, const Command& command);

}  // namespace qm720::cli
