#include "app/colours.h"
#include "app/frm_serial.h"

namespace qm720 {
namespace {

constexpr std::string_view kNoData = "Нет данных";
constexpr Colour kActivityLampIdle = 0x10FFFF;

}  // namespace

void frmSerial::clear_sensor_readings() {
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

    // The lamp judges one sensor's run of values; the next sensor's first reply redraws the
    // mode controls, the next tick asks it who it is, and until it has answered nothing of its
    // state is known.
    lamp = {};
    redraw_mode_from_next_reply = true;
    mode_byte = 0;
    measurement_seen = false;
    identity_known = false;
    link.unusable_ticks = 0;
    link.identity_address.reset();
    link.identity_requests_repeated = 0;
    link.silence_seen = false;
    link.mode_redraw_after_poll = false;
    readings_address_ = selected_address();
}

void frmSerial::follow_selected_address() {
    if (selected_address() != readings_address_) {
        clear_sensor_readings();
    }
}

}  // namespace qm720
