#pragma once

namespace qm720 {

class frmSerial;

// "Опрос сети": queues the scan 31 FF DC; the answer is read one tick after it is written.
void start_network_scan(frmSerial& form);

// The operator edited the address box: ask the sensor now named for its identity.
void address_typed(frmSerial& form);

// The operator picked an address from the list; the next tick asks for its identity.
void address_picked(frmSerial& form);

}  // namespace qm720
