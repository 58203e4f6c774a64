#pragma once

#include "app/form_events.h"

namespace qm720 {

// The operator's service commands: calibration, shifts, mode, address, serial number, password.
void add_command_events(FormEventTable& events);

}  // namespace qm720
