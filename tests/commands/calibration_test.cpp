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
        const char* address;
        const char* frame;
        const char* question;
        const char* log;
    } cases[] = {
        {hig_Click, "1", "31 01 F5 FA",
         "Сейчас будет произведена перекалибровка верхнего уровня. Вы уверены что это нужно?",
         "Cmd SetHight "},
        {low_Click, "1", "31 01 FA BB",
         "Сейчас будет произведена перекалибровка нижнего уровня. Вы уверены что это нужно?",
         "Cmd SetLow "},
        {hig_Click, "5", "31 05 F5 C1",
         "Сейчас будет произведена перекалибровка верхнего уровня. Вы уверены что это нужно?",
         "Cmd SetHight "},
    };
    for (const auto& c : cases) {
        test::FormHarness fresh;
        fresh.form.Form_Load();
        fresh.form.control("CmbNet").caption = c.address;
        fresh.form.control("CmbNet").list = {c.address};
        fresh.form.control("CmbNet").list_index = 0;
        fresh.dialogs.yes_no_answers = {true};
        c.click(fresh.form);
        EXPECT_EQ(fresh.form.wrs, hex(c.frame)) << c.frame;
        ASSERT_EQ(fresh.dialogs.shown.size(), 1u);
        EXPECT_EQ(fresh.dialogs.shown[0].kind, test::BoxKind::YesNo);
        EXPECT_EQ(fresh.dialogs.shown[0].text, c.question);
        EXPECT_EQ(test::logged_texts(fresh), std::vector<std::string>{c.log});
        EXPECT_EQ(fresh.form.control("txtRec").caption, frame_view_text(hex(c.frame)));
    }
}

TEST_F(Calibration, NoKeepsThePendingRequest) {
    h.form.wrs = hex("31 01 F0 C5");
    h.dialogs.yes_no_answers = {false};
    hig_Click(h.form);
    EXPECT_EQ(h.form.wrs, hex("31 01 F0 C5"));
    EXPECT_TRUE(log().empty());
}

TEST_F(Calibration, NoAddressDoesNothingAtAll) {
    select_nothing();
    low_Click(h.form);
    EXPECT_TRUE(h.dialogs.shown.empty());
    EXPECT_TRUE(h.form.wrs.empty());
}

TEST_F(Calibration, SmoothingReportedByTheSensorRefusesBeforeTheQuestion) {
    h.form.mode_byte = 0x08;
    h.form.control("usredn").checked = false;  // the sensor's word counts, not the box
    hig_Click(h.form);
    EXPECT_EQ(boxes(), std::vector<std::string>{
                           " На время калибровки снимите СГЛАЖИВАНИЕ и нажмите УСТАНОВИТЬ"});
    EXPECT_TRUE(h.form.wrs.empty());

    h.form.mode_byte = 0x00;
    h.form.control("usredn").checked = true;
    h.dialogs.yes_no_answers = {true};
    hig_Click(h.form);
    EXPECT_EQ(h.form.wrs, hex("31 01 F5 FA"));
}

TEST_F(Calibration, ReplacesAPendingRequest) {
    h.form.wrs = hex("31 FF DC");
    h.dialogs.yes_no_answers = {true};
    low_Click(h.form);
    EXPECT_EQ(h.form.wrs, hex("31 01 FA BB"));
}

}  // namespace
}  // namespace qm720
