#pragma once

namespace qm720 {

class frmSerial;
struct MeasurementTaken;

// Shows a measurement: level and level bar, temperature, current value and stability lamp,
// address, calibration values with their colour and hint, the mode when it is to be drawn, and
// one summary line in the log.
void show_measurement(frmSerial& form, const MeasurementTaken& measurement);

}  // namespace qm720
