#pragma once

namespace qm720 {

class frmSerial;

// One tick of the exchange: choose and show this tick's request, read the answer to the last
// one, write the new one, then act on what was read. The sensor has the whole tick to answer.
void exchange_tick(frmSerial& form);

}  // namespace qm720
