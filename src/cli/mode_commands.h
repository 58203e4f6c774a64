#pragma once

#include "cli/invocation.h"
#include "cli/output.h"
#include "cli/sensor_link.h"

namespace qm720::cli {

// Reads the sensor's mode, applies the options given and fails unless the sensor confirms
// exactly the byte sent.
void set_mode_command(SensorLink& link, Output& output, const Invocation& invocation);

// The window's generated command lines for remote sensors, refused where the window refuses.
void line_shift_command(Output& output, const Invocation& invocation);
void line_mode_command(Output& output, const Invocation& invocation);

}  // namespace qm720::cli
