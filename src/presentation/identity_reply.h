#pragma once

#include "core/bytes.h"

namespace qm720 {

class frmSerial;

// Shows the serial number and software version of an identity reply, enables the controls
// that version supports and logs the identity.
void show_identity(frmSerial& form, const Bytes& reply);

}  // namespace qm720
