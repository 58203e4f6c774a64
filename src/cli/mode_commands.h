#pragma once

#include "cli/arguments.h"
#include "cli/output.h"
#include "cli/sensor_link.h"

namespace qm720::cli {

// Reads the sensor's mode, applies the options given and fails unless the sensor confirms
// exactly the byte sent.
void set_mode_command(SensorLink& link, Output& output, const Command& command);

// The window's generated command lines for remote sensors, whose address and output mode the
// checks of the command line have already limited.
void line_shift_command(Output& output, const Command& command);
void line_mode_command(Output& output, const Command& command);

}  // namespace qm720::cli
