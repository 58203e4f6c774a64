#pragma once

namespace qm720 {

class frmSerial;

// One tick of the exchange: the session reads the answer to the last request, writes this
// tick's and judges what it read; the form shows the outcome. The sensor has the whole tick to
// answer.
void exchange_tick(frmSerial& form);

}  // namespace qm720
