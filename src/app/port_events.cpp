#include "app/form_events.h"
#include "app/frm_serial.h"

namespace qm720 {

void add_port_events(FormEventTable& events) {
    events["BTNOpenCom_Click"] = [](frmSerial& form) { form.open_port(); };
    events["BTNCloseCom_Click"] = [](frmSerial& form) { form.close_port(); };
}

}  // namespace qm720
