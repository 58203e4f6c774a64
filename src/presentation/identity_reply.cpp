#include "presentation/identity_reply.h"

#include <string>

#include "app/frm_serial.h"
#include "presentation/reply_fields.h"

namespace qm720 {

namespace {

constexpr std::size_t kShortestWithSerialNumber = 7;
constexpr std::size_t kLengthWithVersion = 10;
constexpr std::size_t kSerialNumberPosition = 4;
constexpr std::size_t kVersionPosition = 8;
constexpr std::size_t kVersionPrefixPosition = 9;

// 131 reads "1.3.1."; a prefix goes straight before the first digit (2 and 105: "21.0.5.").
// Every one of the three digit places keeps its dot, present or not (42: "4.2..").
std::string version_text(std::uint8_t version, std::uint8_t prefix) {
    std::string text = prefix != 0 ? std::to_string(prefix) : std::string();
    const std::string digits = std::to_string(version);
    for (std::size_t place = 0; place < 3; ++place) {
        if (place < digits.size()) {
            text += digits[place];
        }
        text += '.';
    }
    return text;
}

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
    if (aans.size() < kShortestWithSerialNumber) {
        sn.caption = "????????";
        return;
    }
    sn.caption = std::to_string(u32_at(aans, kSerialNumberPosition));

    Control& vv = form.control("vv");
    if (aans.size() == kLengthWithVersion) {
        const std::uint8_t version = byte_at(aans, kVersionPosition);
        vv.caption = version_text(version, byte_at(aans, kVersionPrefixPosition));
        enable_version_groups(form, version);
    }

    form.str_to_log("Device: " + sn.caption + "  Ver Soft: " + vv.caption);
}

}  // namespace qm720
