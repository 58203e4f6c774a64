#include "commands/calibration.h"

#include "app/frame_view.h"
#include "command_fixture.h"
#include "hex.h"

namespace qm720 {
namespace {

using test::hex;

class Calibration : public test::CommandTest {};

// Yes replaces a pending request with the calibration; No keeps the pending one.
TEST_F(Calibration, ConfirmedCalibrationQueuesShowsAndLogsTheFrame) {
    const struct {
        void (*click)(frmSerial&);
        const char* frame;
        const char* question;
        const char* log;
    } cases[] = {
        {calibrate_full, "31 01 F5 FA",
         "Сейчас будет произведена перекалибровка верхнего уровня. Вы уверены что это нужно?",
         "Cmd SetHight "},
        {calibrate_empty, "31 01 FA BB",
         "Сейчас будет произведена перекалибровка нижнего уровня. Вы уверены что это нужно?",
         "Cmd SetLow "},
    };
    for (const auto& c : cases) {
        h.form.link.pending_request = hex("31 FF DC");
        h.dialogs.yes_no_answers = {false, true};
        c.click(h.form);
        EXPECT_EQ(h.form.link.pending_request, hex("31 FF DC"));
        c.click(h.form);
        EXPECT_EQ(h.form.link.pending_request, hex(c.frame));
        EXPECT_EQ(boxes(), std::vector<std::string>(2, c.question));
        EXPECT_EQ(h.dialogs.shown.back().kind, test::BoxKind::YesNo);
        EXPECT_EQ(log().back(), c.log);
        EXPECT_EQ(view(), frame_view_text(hex(c.frame)));
        h.dialogs.shown.clear();
    }
    EXPECT_EQ(log().size(), 2u);  // No logs nothing
}

// The address is checked first, then whether the sensor has told its mode since it was
// selected, then the mode it told: another sensor's mode byte, or none, must not decide.
TEST_F(Calibration, RefusalsComeInTheOrderAddressUnknownSensorSmoothing) {
    h.form.mode_byte = 0x08;
    h.form.mode_byte_known = false;
    select_nothing();
    calibrate_full(h.form);
    EXPECT_TRUE(h.dialogs.shown.empty());
    h.form.mode_byte_known = true;
    calibrate_empty(h.form);
    EXPECT_TRUE(h.dialogs.shown.empty());

    select("05");
    h.form.mode_byte_known = false;
    calibrate_empty(h.form);
    h.form.mode_byte_known = true;
    h.form.control("usredn").checked = false;  // the sensor's word counts, not the box
    calibrate_full(h.form);
    EXPECT_EQ(boxes(), (std::vector<std::string>{
                           "Нет данных от датчика с адресом 05",
                           " На время калибровки снимите СГЛАЖИВАНИЕ и нажмите УСТАНОВИТЬ"}));
    EXPECT_TRUE(h.form.link.pending_request.empty());

    h.form.mode_byte = 0x00;
    h.form.control("usredn").checked = true;
    h.dialogs.yes_no_answers = {true};
    calibrate_full(h.form);
    EXPECT_EQ(h.form.link.pending_request, hex("31 05 F5 C1"));
}

}  // namespace
}  // namespace qm720
