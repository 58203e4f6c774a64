#include <gtest/gtest.h>

#include "commands/calibration.h"
#include "commands/level_shift.h"
#include "commands/operating_mode.h"
#include "commands/password.h"
#include "commands/sensor_identity.h"
#include "exchange/network_scan.h"
#include "live_form.h"

namespace qm720 {
namespace {

using test::LiveForm;

// Sensor 1 identified and polled once, so its mode byte is known.
class ServiceCommands : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(live.open_on("1"));
        live.tick(3);
        ASSERT_EQ(live.caption("uroven"), "512");
    }
    // Written on the next tick, confirmed on the one after.
    void confirm(const char* status) {
        live.tick(2);
        EXPECT_EQ(live.caption("MsgCom"), status);
    }

    LiveForm live{{"--steady", "--answer-delay", "5"}};
};

TEST_F(ServiceCommands, CalibrationStoresTheCurrentValue) {
    live.dialogs.yes_no_answers = {true};
    calibrate_empty(live.form);
    confirm(" Установлен нижний уровень.");
    live.tick();
    EXPECT_EQ(live.caption("lo"), "145000");
}

TEST_F(ServiceCommands, ShiftsMoveTheStoredLevels) {
    live.form.control("sdv_verh").caption = "1000";
    live.dialogs.yes_no_answers = {true};
    shift_full_level(live.form);
    confirm("Сдвинут верхний уровень.");
    live.form.control("sdv_niz").caption = "-500";
    live.dialogs.yes_no_answers = {true};
    shift_empty_level(live.form);
    confirm("Сдвинут нижний уровень.");
    live.tick();
    EXPECT_EQ(live.caption("hi"), "191000");
    EXPECT_EQ(live.caption("lo"), "99500");
}

TEST_F(ServiceCommands, NewModeIsConfirmedAndReportedInLaterPolls) {
    live.form.control("R485").checked = false;
    live.form.control("R_p485").checked = true;
    live.form.control("D_4096").checked = true;
    live.dialogs.yes_no_answers = {true};
    write_mode(live.form);
    confirm(" Установлен новый режим.");
    EXPECT_TRUE(live.form.control("R_p485").checked);
    live.tick();
    EXPECT_EQ(live.form.mode_byte, 0x90);
    EXPECT_EQ(live.form.level_full_scale, 4096);
}

TEST_F(ServiceCommands, NewAddressIsFoundByTheNextScan) {
    live.dialogs.input_answers = {"7"};
    write_address(live.form);
    confirm(" Установлен сетевой номер.");
    start_network_scan(live.form);
    live.tick(2);
    EXPECT_EQ(live.form.control("CmbNet").list, (std::vector<std::string>{"7", "5", "17"}));
}

TEST_F(ServiceCommands, SerialNumberShowsInTheNextIdentity) {
    live.dialogs.input_answers = {"777"};
    write_typed_serial_number(live.form);
    confirm("Установлен серийный номер.");
    live.type_address("1");  // asks the sensor who it is again
    live.tick(2);
    EXPECT_EQ(live.caption("sn"), "777");
}

TEST_F(ServiceCommands, WrongPasswordIsRefusedAndARightOneAccepted) {
    live.dialogs.input_answers = {"5"};
    enter_password(live.form);
    confirm("Неверный пароль.");
    live.dialogs.input_answers = {"0"};
    enter_password(live.form);
    confirm("Пароль принят.");
    live.dialogs.yes_no_answers = {true};
    live.dialogs.input_answers = {"4321"};
    change_password(live.form);
    confirm("Пароль изменен.");
}

// Sensor 17 reports the 4096 range, sensor 5 smooths: once 5 is selected, nothing of 17's may be
// shown beside it or decide a command for it.
TEST(ServiceCommandsOnAnotherSensor, NothingOfTheLastSensorIsShownOrActedOn) {
    LiveForm live{{"--steady", "--answer-delay", "5"}};
    ASSERT_TRUE(live.open_on("17"));
    live.tick(3);
    ASSERT_TRUE(live.form.control("D_4096").checked);

    live.type_address("5");
    EXPECT_EQ(live.caption("sn"), "0");
    EXPECT_EQ(live.caption("uroven"), "Нет данных");
    calibrate_full(live.form);
    live.tick(3);
    EXPECT_EQ(live.caption("sn"), "200501");
    EXPECT_FALSE(live.form.control("D_4096").checked);
    EXPECT_TRUE(live.form.control("usredn").checked);
    calibrate_full(live.form);

    std::vector<std::string> boxes;
    for (const auto& box : live.dialogs.shown) {
        boxes.push_back(box.text);
    }
    EXPECT_EQ(boxes, (std::vector<std::string>{
                         "Нет данных от датчика с адресом 5",
                         " На время калибровки снимите СГЛАЖИВАНИЕ и нажмите УСТАНОВИТЬ"}));
    EXPECT_TRUE(live.form.link.pending_request.empty());
}

}  // namespace
}  // namespace qm720
