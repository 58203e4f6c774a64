#pragma once

#include "core/bytes.h"

namespace qm720 {

class frmSerial;

// Shows the serial number and software version of an identity reply, enables the controls
// that version supports and logs the identity.
void assept_sn(frmSerial& form, const Bytes& aans);

}  // namespace qm720
