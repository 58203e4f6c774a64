#include "commands/calibration.h"

#include "app/frame_view.h"
#include "command_fixture.h"
#include "hex.h"

namespace qm720 {
namespace {

using test::hex;

class Calibration : public test::CommandTest {};

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
        h.dialogs.yes_no_answers = {true};
        c.click(h.form);
        EXPECT_EQ(h.form.link.pending_request, hex(c.frame));
        EXPECT_EQ(h.dialogs.shown.back().kind, test::BoxKind::YesNo);
        EXPECT_EQ(h.dialogs.shown.back().text, c.question);
        EXPECT_EQ(log().back(), c.log);
        EXPECT_EQ(view(), frame_view_text(hex(c.frame)));
    }
}

TEST_F(Calibration, NoKeepsThePendingRequest) {
    h.form.link.pending_request = hex("31 01 F0 C5");
    h.dialogs.yes_no_answers = {false};
    calibrate_full(h.form);
    EXPECT_EQ(h.form.link.pending_request, hex("31 01 F0 C5"));
    EXPECT_TRUE(log().empty());
}

TEST_F(Calibration, NoAddressDoesNothingAtAll) {
    select_nothing();
    calibrate_empty(h.form);
    EXPECT_TRUE(h.dialogs.shown.empty());
    EXPECT_TRUE(h.form.link.pending_request.empty());
}

TEST_F(Calibration, SmoothingReportedByTheSensorRefusesBeforeTheQuestion) {
    h.form.mode_byte = 0x08;
    h.form.control("usredn").checked = false;  // the sensor's word counts, not the box
    calibrate_full(h.form);
    EXPECT_EQ(boxes(), std::vector<std::string>{
                           " На время калибровки снимите СГЛАЖИВАНИЕ и нажмите УСТАНОВИТЬ"});
    EXPECT_TRUE(h.form.link.pending_request.empty());

    h.form.mode_byte = 0x00;
    h.form.control("usredn").checked = true;
    h.dialogs.yes_no_answers = {true};
    calibrate_full(h.form);
    EXPECT_EQ(h.form.link.pending_request, hex("31 01 F5 FA"));
}

// Another sensor's mode byte, or none at all, must not decide; the address is checked first.
TEST_F(Calibration, ASensorNotHeardFromSinceItWasSelectedIsRefused) {
    h.form.mode_byte_known = false;
    select_nothing();
    calibrate_full(h.form);
    EXPECT_TRUE(h.dialogs.shown.empty());
    select("05");
    h.form.mode_byte = 0x08;
    calibrate_empty(h.form);
    EXPECT_EQ(boxes(), std::vector<std::string>{"Нет данных от датчика с адресом 05"});
    EXPECT_TRUE(h.form.link.pending_request.empty());
}

TEST_F(Calibration, ReplacesAPendingRequest) {
    h.form.link.pending_request = hex("31 FF DC");
    h.dialogs.yes_no_answers = {true};
    calibrate_empty(h.form);
    EXPECT_EQ(h.form.link.pending_request, hex("31 01 FA BB"));
}

}  // namespace
}  // namespace qm720
