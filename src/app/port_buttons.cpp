#include <string>

#include "app/combo_box.h"
#include "app/frm_serial.h"

namespace qm720 {
namespace {

constexpr std::string_view kDevicePrefix = "\\\\.\\";
constexpr std::string_view kLineSettings = "19200,n,8,1";

}  // namespace

void frmSerial::BTNOpenCom_Click() {
    const std::string entry = control("CmbPort").caption;
    const std::string path = std::string(kDevicePrefix) + entry;
    if (!port.OpenPort(path, std::string(kLineSettings))) {
        const std::string message = "Com Port " + entry + " недоступен. Установите нужный порт.";
        const std::string reason = open_failure_text(port.last_open_failure());
        dialogs.message_box(reason.empty() ? message : message + "\n" + reason, "",
                            BoxIcon::Exclamation);
        str_to_log(message);
        if (!reason.empty()) {
            str_to_log(reason);
        }
        return;
    }
    // A command confirmed while the port was closed was meant for no sensor in particular.
    wrs.clear();
    SwitchTags();
    control("TMRComm").enabled = true;
    control("BTNOpenCom").enabled = false;
    wr_fail_count = 0;
    str_to_log("Com Port " + path + " Open");
}

void frmSerial::BTNCloseCom_Click() {
    control("TMRComm").enabled = false;
    port.ClosePort();
    CloseAllTags();
    control("BTNOpenCom").enabled = true;
    str_to_log("Com Port " + control("CmbPort").caption + " Closed");
    set_single_entry(control("CmbNet"), "0");
    clear_sensor_readings();
    control("MsgCom").caption.clear();
    control("netdev").caption = "Устройства не определены";
}

}  // namespace qm720
