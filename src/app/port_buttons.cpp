#include <string>

#include "app/combo_box.h"
#include "app/frm_serial.h"
#include "serial/port_names.h"

namespace qm720 {

void frmSerial::open_port() {
    const std::string entry = control("CmbPort").caption;
    const std::string path = std::string(kDevicePathPrefix) + entry;
    if (!port.open(path, kSensorLine)) {
        const std::string message = "Com Port " + entry + " недоступен. Установите нужный порт.";
        const std::string reason = open_failure_text(port.last_open_failure());
        dialogs.message_box(reason.empty() ? message : message + "\n" + reason, "",
                            BoxIcon::Exclamation);
        log_line(message);
        if (!reason.empty()) {
            log_line(reason);
        }
        return;
    }
    session.start_link();
    toggle_port_groups();
    control("TMRComm").enabled = true;
    control("BTNOpenCom").enabled = false;
    log_line("Com Port " + path + " Open");
}

void frmSerial::close_port() {
    control("TMRComm").enabled = false;
    port.close();
    disable_port_groups();
    control("BTNOpenCom").enabled = true;
    log_line("Com Port " + control("CmbPort").caption + " Closed");
    set_single_entry(control("CmbNet"), "0");
    clear_sensor_readings();
    control("MsgCom").caption.clear();
    control("netdev").caption = "Устройства не определены";
}

}  // namespace qm720
