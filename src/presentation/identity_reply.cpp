#include "presentation/identity_reply.h"

#include <string>

#include "app/frm_serial.h"
#include "protocol/reply_fields.h"

namespace qm720 {

namespace {

void enable_version_groups(frmSerial& form, std::uint8_t version) {
    if (version >= 130)
        form.enable_v130();
    if (version >= 131)
        form.enable_v131();
    if (version >= 134)
        form.enable_v134();
    if (version >= 163)
        form.enable_v163();
}

}  // namespace

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
        enable_version_groups(form, *fields->software_version);
    }

    form.log_line("Device: " + serial_number.caption + "  Ver Soft: " + version.caption);
}

}  // namespace qm720
