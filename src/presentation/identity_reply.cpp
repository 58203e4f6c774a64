#include "presentation/identity_reply.h"

#include <string>

#include "app/frm_serial.h"
#include "session/sensor_session.h"

namespace qm720 {

void show_identity(frmSerial& form, const IdentityTaken& identity) {
    Control& serial_number = form.control("sn");
    if (!identity.fields) {
        serial_number.caption = "????????";
        return;
    }
    serial_number.caption = std::to_string(identity.fields->serial_number);

    Control& version = form.control("vv");
    if (identity.fields->software_version) {
        version.caption = identity.fields->version_text;
        form.enable_version_groups(*identity.fields->software_version);
    }

    form.log_line("Device: " + serial_number.caption + "  Ver Soft: " + version.caption);
}

}  // namespace qm720
