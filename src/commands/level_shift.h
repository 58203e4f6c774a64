#pragma once

namespace qm720 {

class frmSerial;

// "Сдвиг": shift a level of the selected sensor by the amount in its box.
void shift_full_level(frmSerial& form);
void shift_empty_level(frmSerial& form);

// "сгенерировать": the same shift for a remote sensor, as a command line in gen_txt.
void generate_full_shift_line(frmSerial& form);
void generate_empty_shift_line(frmSerial& form);

}  // namespace qm720
