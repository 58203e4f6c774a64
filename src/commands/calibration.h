#pragma once

namespace qm720 {

class frmSerial;

// "Установить полный" / "Установить пустой": recalibrate a level of the selected sensor.
void calibrate_full(frmSerial& form);
void calibrate_empty(frmSerial& form);

}  // namespace qm720
