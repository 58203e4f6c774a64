#pragma once

namespace qm720 {

class frmSerial;

// "Установить полный" / "Установить пустой": recalibrate a level of the selected sensor.
void hig_Click(frmSerial& form);
void low_Click(frmSerial& form);

}  // namespace qm720
