#pragma once

namespace qm720 {

class frmSerial;
struct TickOutcome;

// Shows what one tick of the session did: the request in the frame view, a failed write in a
// box (closing the port when the session says so), the activity lamp, the read with its local
// CRC, the reply by its kind (readings, identity, a status line for each confirmation, a box for
// a code nobody knows, the scan's list), and a status line while no usable answer comes.
void show_tick_outcome(frmSerial& form, const TickOutcome& outcome);

}  // namespace qm720
