#include "presentation/identity_reply.h"

#include <string>

#include "app/frm_serial.h"
#include "presentation/identity_fields.h"

namespace qm720 {

namespace {

void enable_version_groups(frmSerial& form, std::uint8_t version) {
    if (version >= 130)
        form.swtag130();
    if (version >= 131)
        form.swtag131();
    if (version >= 134)
        form.swtag134();
    if (version >= 163)
        form.swtag163();
}

}  // namespace

void assept_sn(frmSerial& form, const Bytes& aans) {
    form.identity_known = true;
    Control& sn = form.control("sn");
    const auto fields = identity_fields(aans);
    if (!fields) {
        sn.caption = "????????";
        return;
    }
    sn.caption = std::to_string(fields->serial_number);

    Control& vv = form.control("vv");
    if (fields->software_version) {
        vv.caption = fields->version_text;
        enable_version_groups(form, *fields->software_version);
    }

    form.str_to_log("Device: " + sn.caption + "  Ver Soft: " + vv.caption);
}

}  // namespace qm720
