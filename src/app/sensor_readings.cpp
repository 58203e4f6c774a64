#include "app/colours.h"
#include "app/frm_serial.h"

#include <utility>

namespace qm720 {
namespace {

constexpr std::string_view kNoData = "Нет данных";
constexpr Colour kActivityLampIdle = 0x10FFFF;

}  // namespace

void frmSerial::clear_reading_controls() {
    // A whole string, not a literal: GCC 12 misreads a short literal assigned here as an
    // overlapping copy (its bug 105329).
    control("sn").caption = std::string("0");
    control("vv").caption = "--------";
    for (const char* reading : {"tek", "temp", "uroven", "lo", "hi", "ne"}) {
        control(reading).caption = kNoData;
    }
    control("ProgressBar1").value = 0;
    control("Kalibr_warning").caption.clear();
    control("hi").back_colour = kButtonFace;
    control("h").back_colour = kButtonFace;
    control("Pic").fill_colour = kActivityLampIdle;
    control("ind_stab").fill_colour = kLightGrey;

    readings_address_ = selected_address();
}

void frmSerial::clear_sensor_readings() {
    clear_reading_controls();
    session.forget_sensor();
}

void frmSerial::follow_selected_address() {
    if (selected_address() != readings_address_) {
        clear_sensor_readings();
    }
}

}  // namespace qm720

namespace qm720 {

void frmSerial::show_lost_contact(std::string_view text) {
    Control& status = control("MsgCom");
    if (!status_before_lost_contact_) {
        status_before_lost_contact_ = status.caption;
    }
    status.caption = std::string(text) + selected_address_text();
    log_line(status.caption);
}

void frmSerial::end_lost_contact() {
    if (status_before_lost_contact_) {
        control("MsgCom").caption = *std::exchange(status_before_lost_contact_, std::nullopt);
    }
}

}  // namespace qm720
