#pragma once

#include "core/bytes.h"

namespace qm720 {

class frmSerial;

// "Опрос сети": queues the scan 31 FF DC; the answer is read one tick after it is written.
void start_network_scan(frmSerial& form);

// Takes the read that follows the tick which wrote the scan as the list of sensors on the bus,
// one address a byte, when it is shorter than 20 bytes.
void take_scan_answer(frmSerial& form, const Bytes& answer);

// The identity request for the selected address; empty when no address is selected.
Bytes identity_request_for_selection(const frmSerial& form);

// The operator edited the address box: ask the sensor now named for its identity.
void address_typed(frmSerial& form);

// The operator picked an address from the list; the next tick asks for its identity.
void address_picked(frmSerial& form);

}  // namespace qm720
