#include "presentation/measurement_reply.h"

#include <string>

#include "app/frm_serial.h"
#include "presentation/calibration_judgement.h"
#include "presentation/mode_byte.h"

namespace qm720 {

namespace {

std::string temperature_text(int celsius) {
    return std::to_string(celsius) + " °C";
}

void show_level(frmSerial& form, std::uint16_t level) {
    Control& bar = form.control("ProgressBar1");
    bar.maximum = form.level_full_scale;
    // A level at or above full scale leaves the bar where it was; the number still shows.
    if (level < form.level_full_scale) {
        bar.value = level;
    }
    form.control("uroven").caption = std::to_string(level);
}

void take_mode_byte(frmSerial& form, std::uint8_t mode) {
    form.mode_byte = mode;
    if (form.redraw_mode_from_next_reply) {
        show_mode(form, mode);
    }
}

void show_calibration(frmSerial& form, std::uint32_t empty_value, std::uint32_t full_value) {
    form.control("lo").caption = std::to_string(empty_value);
    form.control("hi").caption = std::to_string(full_value);
    const Colour judgement = calibration_colour(empty_value, full_value);
    form.control("hi").back_colour = judgement;
    form.control("h").back_colour = judgement;
    form.control("Kalibr_warning").caption = calibration_hint(empty_value);
}

// "512, 145000, 100000, 190000, 0, 23 °C": level, current value, empty and full values, the mode
// last drawn and the temperature, from the reply's own fields.
std::string summary_line(const MeasurementFields& fields, const std::string& drawn_mode_text) {
    std::string line;
    for (const std::uint32_t value : {std::uint32_t{fields.level}, fields.current_value,
                                      fields.empty_value, fields.full_value}) {
        line += std::to_string(value) + ", ";
    }
    return line + drawn_mode_text + ", " + temperature_text(fields.temperature);
}

}  // namespace

void show_measurement(frmSerial& form, const Bytes& reply) {
    const auto fields = measurement_fields(reply);
    if (!fields) {
        return;
    }
    form.control("tek").caption = std::to_string(fields->current_value);
    form.control("ind_stab").fill_colour = form.lamp.after_reply(fields->current_value);

    form.control("temp").caption = temperature_text(fields->temperature);
    form.control("ne").caption = std::to_string(fields->address);
    show_level(form, fields->level);
    form.control("ko").caption = std::to_string(fields->k_value);

    form.measurement_seen = true;
    if (fields->mode_byte) {
        take_mode_byte(form, *fields->mode_byte);
    }
    show_calibration(form, fields->empty_value, fields->full_value);
    form.log_line(summary_line(*fields, form.drawn_mode_text));
}

}  // namespace qm720
