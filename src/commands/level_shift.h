#pragma once

namespace qm720 {

class frmSerial;

// "Сдвиг": shift a level of the selected sensor by the amount in its box.
void sdv_hi_Click(frmSerial& form);
void sdv_low_Click(frmSerial& form);

// "сгенерировать": the same shift for a remote sensor, as a command line in gen_txt.
void gen_up_Click(frmSerial& form);
void gen_down_Click(frmSerial& form);

}  // namespace qm720
