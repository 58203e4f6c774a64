#pragma once

#include <termios.h>

namespace qm720 {

// Makes `attributes` the sensors' line (kSensorLine): raw 8 data bits, no parity, 1 stop bit at
// 19200 baud, no flow control, receiver on, modem lines ignored, reads that return at once (the
// driver bounds them with poll deadlines).
void set_sensor_line(termios& attributes);

}  // namespace qm720
