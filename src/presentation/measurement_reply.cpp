#include "presentation/measurement_reply.h"

#include <string>

#include "app/colours.h"
#include "app/frm_serial.h"
#include "presentation/calibration_judgement.h"
#include "presentation/mode_byte.h"
#include "session/sensor_session.h"

namespace qm720 {

namespace {

std::string temperature_text(int celsius) {
    return std::to_string(celsius) + " °C";
}

Colour lamp_colour(Steadiness steadiness) {
    switch (steadiness) {
        case Steadiness::Unsteady:
            return kRed;
        case Steadiness::Settling:
            return kYellow;
        case Steadiness::Steady:
            return kGreen;
    }
    return kYellow;
}

void show_level(frmSerial& form, std::uint16_t level, std::int16_t full_scale) {
    Control& bar = form.control("ProgressBar1");
    bar.maximum = full_scale;
    // A level at or above full scale leaves the bar where it was; the number still shows.
    if (level < full_scale) {
        bar.value = level;
    }
    form.control("uroven").caption = std::to_string(level);
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
// on the controls (empty before the first) and the temperature, from the reply's own fields.
std::string summary_line(const MeasurementTaken& measurement) {
    const MeasurementFields& fields = measurement.fields;
    std::string line;
    for (const std::uint32_t value : {std::uint32_t{fields.level}, fields.current_value,
                                      fields.empty_value, fields.full_value}) {
        line += std::to_string(value) + ", ";
    }
    const std::string mode =
        measurement.drawn_mode ? std::to_string(*measurement.drawn_mode) : std::string();
    return line + mode + ", " + temperature_text(fields.temperature);
}

}  // namespace

void show_measurement(frmSerial& form, const MeasurementTaken& measurement) {
    const MeasurementFields& fields = measurement.fields;
    form.control("tek").caption = std::to_string(fields.current_value);
    form.control("ind_stab").fill_colour = lamp_colour(measurement.steadiness);

    form.control("temp").caption = temperature_text(fields.temperature);
    form.control("ne").caption = std::to_string(fields.address);
    show_level(form, fields.level, measurement.level_full_scale);
    form.control("ko").caption = std::to_string(fields.k_value);

    if (measurement.mode_to_draw) {
        show_mode(form, *measurement.mode_to_draw);
    }
    show_calibration(form, fields.empty_value, fields.full_value);
    form.log_line(summary_line(measurement));
}

}  // namespace qm720
