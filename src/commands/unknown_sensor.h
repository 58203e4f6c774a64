#pragma once

namespace qm720 {

class frmSerial;

// Refuses a command that needs what the selected sensor has not told yet:
// "Нет данных от датчика с адресом " + the address.
void refuse_unknown_sensor(frmSerial& form);

}  // namespace qm720
