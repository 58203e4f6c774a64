#include "commands/calibration.h"

#include <string>

#include "app/frm_serial.h"
#include "commands/unknown_sensor.h"
#include "protocol/mode_bits.h"
#include "protocol/requests.h"

namespace qm720 {

namespace {

struct CalibrationCommand {
    Level level;
    const char* question;
    const char* log_text;
};

void calibrate(frmSerial& form, const CalibrationCommand& command) {
    const auto address = form.selected_address();
    if (!address) {
        return;
    }
    // Until the selected sensor has answered a poll, another sensor's mode must not decide.
    if (!form.session.measurement_seen()) {
        refuse_unknown_sensor(form);
        return;
    }
    // The sensor's own last reported mode decides, not the check box the operator may have
    // changed since: calibrating with smoothing on would store a smoothed value.
    if (smooths(form.session.mode_byte())) {
        form.dialogs.ok_box(" На время калибровки снимите СГЛАЖИВАНИЕ и нажмите УСТАНОВИТЬ");
        return;
    }
    if (!form.dialogs.yes_no_box(command.question)) {
        return;
    }
    form.session.queue(calibrate_request(*address, command.level));
    form.show_frame(form.session.queued_request());
    form.log_line(command.log_text);
}

}  // namespace

void calibrate_full(frmSerial& form) {
    calibrate(form, {Level::Full,
                     "Сейчас будет произведена перекалибровка верхнего уровня. Вы уверены что "
                     "это нужно?",
                     "Cmd SetHight "});
}

void calibrate_empty(frmSerial& form) {
    calibrate(form, {Level::Empty,
                     "Сейчас будет произведена перекалибровка нижнего уровня. Вы уверены что "
                     "это нужно?",
                     "Cmd SetLow "});
}

}  // namespace qm720
