#pragma once

#include <istream>

#include "cli/invocation.h"
#include "cli/output.h"
#include "cli/sensor_link.h"

namespace qm720::cli {

// Requests that change the sensor: each is sent once and must be confirmed.
void calibrate_command(SensorLink& link, Output& output, const Invocation& invocation);
void shift_command(SensorLink& link, Output& output, const Invocation& invocation);
void set_address_command(SensorLink& link, Output& output, const Invocation& invocation);
void set_serial_command(SensorLink& link, Output& output, const Invocation& invocation);
void password_command(SensorLink& link, Output& output, const Invocation& invocation,
                      std::istream& input);
void provision_command(SensorLink& link, Output& output, const Invocation& invocation);

}  // namespace qm720::cli
