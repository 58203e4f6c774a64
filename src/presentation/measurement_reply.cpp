#include "presentation/measurement_reply.h"

#include <string>

#include "app/frm_serial.h"
#include "presentation/calibration_judgement.h"
#include "presentation/mode_byte.h"
#include "presentation/reply_fields.h"
#include "presentation/stability_indicator.h"

namespace qm720 {

namespace {

constexpr std::size_t kAddressPosition = 2;
constexpr std::size_t kTemperaturePosition = 4;
constexpr std::size_t kLevelPosition = 5;
constexpr std::size_t kCurrentValuePosition = 7;
constexpr std::size_t kEmptyValuePosition = 11;
constexpr std::size_t kFullValuePosition = 15;
constexpr std::size_t kKValuePosition = 19;
constexpr std::size_t kModeBytePosition = 21;

std::string temperature_text(std::uint8_t raw) {
    const int celsius = raw > 127 ? raw - 256 : raw;
    return std::to_string(celsius) + " °C";
}

void show_level(frmSerial& form, std::uint16_t level) {
    Control& bar = form.control("ProgressBar1");
    bar.maximum = form.Ur_progressBar;
    // A level at or above full scale leaves the bar where it was; the number still shows.
    if (level < form.Ur_progressBar) {
        bar.value = level;
    }
    form.control("uroven").caption = std::to_string(level);
}

void take_mode_byte(frmSerial& form, std::uint8_t mode) {
    form.mode_byte = mode;
    form.mode_byte_known = true;
    if (form.mode_yes) {
        Out_modes(form, mode);
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

std::string summary_line(const frmSerial& form) {
    std::string line;
    for (const char* name : {"uroven", "tek", "lo", "hi"}) {
        line += form.control(name).caption + ", ";
    }
    return line + form.mode_str + ", " + form.control("temp").caption;
}

}  // namespace

void all_data_to_form(frmSerial& form, const Bytes& aans) {
    if (aans.size() < kShortestMeasurement) {
        return;
    }
    const std::uint32_t current_value = u32_at(aans, kCurrentValuePosition);
    form.control("tek").caption = std::to_string(current_value);
    form.control("ind_stab").fill_colour =
        stability_after_reply(form.tek_avg, form.stab_cnt, form.hold_cnt, current_value);

    form.control("temp").caption = temperature_text(byte_at(aans, kTemperaturePosition));
    form.control("ne").caption = std::to_string(byte_at(aans, kAddressPosition));
    show_level(form, u16_at(aans, kLevelPosition));

    const std::uint32_t empty_value = u32_at(aans, kEmptyValuePosition);
    const std::uint32_t full_value = u32_at(aans, kFullValuePosition);
    form.control("ko").caption = std::to_string(u16_at(aans, kKValuePosition));

    // A 21-byte reply carries its CRC where the mode byte would stand.
    if (aans.size() > kModeBytePosition) {
        take_mode_byte(form, byte_at(aans, kModeBytePosition));
    }
    show_calibration(form, empty_value, full_value);
    form.str_to_log(summary_line(form));
}

}  // namespace qm720
