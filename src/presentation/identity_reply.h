#pragma once

namespace qm720 {

class frmSerial;
struct IdentityTaken;

// Shows the serial number and software version of an identity reply, enables the controls
// that version supports and logs the identity; a reply too short for a serial number shows
// "????????".
void show_identity(frmSerial& form, const IdentityTaken& identity);

}  // namespace qm720
