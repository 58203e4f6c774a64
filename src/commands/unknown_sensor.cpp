#include "commands/unknown_sensor.h"

#include "app/frm_serial.h"

namespace qm720 {

void refuse_unknown_sensor(frmSerial& form) {
    form.dialogs.ok_box("Нет данных от датчика с адресом " + form.selected_address_text());
}

}  // namespace qm720
