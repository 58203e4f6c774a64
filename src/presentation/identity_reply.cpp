#include "presentation/identity_reply.h"

#include <string>

#include "app/frm_serial.h"
#include "protocol/reply_fields.h"

namespace qm720 {

void show_identity(frmSerial& form, const Bytes& reply) {
    form.identity_known = true;
    Control& serial_number = form.control("sn");
    const auto fields = identity_fields(reply);
    if (!fields) {
        serial_number.caption = "????????";
        return;
    }
    serial_number.caption = std::to_string(fields->serial_number);

    Control& version = form.control("vv");
    if (fields->software_version) {
        version.caption = fields->version_text;
        form.enable_version_groups(*fields->software_version);
    }

    form.log_line("Device: " + serial_number.caption + "  Ver Soft: " + version.caption);
}

}  // namespace qm720
