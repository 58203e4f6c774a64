#include <gtest/gtest.h>

#include <algorithm>

#include "app/colours.h"
#include "exchange/network_scan.h"
#include "live_form.h"

namespace qm720 {
namespace {

using test::LiveForm;

const std::vector<std::string> kSteadyBus{"--steady", "--answer-delay", "5"};

bool logged(const LiveForm& live, const std::string& text) {
    const auto lines = live.log();
    return std::find(lines.begin(), lines.end(), text) != lines.end();
}

class Monitoring : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(live.bus.started());
        live.form.open_port();
        ASSERT_TRUE(live.form.control("TMRComm").enabled) << "COM1 did not open";
    }
    LiveForm live{kSteadyBus};
};

TEST_F(Monitoring, SelectedSensorIsIdentifiedAndPolled) {
    live.type_address("1");
    live.tick(4);
    EXPECT_EQ(live.caption("sn"), "123456");
    EXPECT_EQ(live.caption("vv"), "1.6.3.");
    EXPECT_EQ(live.caption("uroven"), "512");
    EXPECT_EQ(live.caption("temp"), "23 °C");
    EXPECT_EQ(live.caption("tek"), "145000");
    EXPECT_EQ(live.caption("lo"), "100000");
    EXPECT_EQ(live.caption("hi"), "190000");
    EXPECT_EQ(live.caption("ne"), "1");
    EXPECT_EQ(live.form.control("hi").back_colour, kLightGreen);
    EXPECT_EQ(live.form.control("ProgressBar1").value, 512);
    EXPECT_TRUE(live.form.control("R485").checked);
    EXPECT_TRUE(live.form.control("sdv_hi").enabled);  // version 163 enables the shifts
    EXPECT_TRUE(logged(live, "Com Port \\\\.\\COM1 Open"));
    EXPECT_TRUE(logged(live, "Device: 123456  Ver Soft: 1.6.3."));
    EXPECT_TRUE(logged(live, "512, 145000, 100000, 190000, 0, 23 °C"));
    EXPECT_TRUE(live.dialogs.shown.empty());
}

TEST_F(Monitoring, ScanListsTheBusAndMovesToTheFirstSensor) {
    start_network_scan(live.form);
    live.tick(2);
    EXPECT_EQ(live.form.control("CmbNet").list, (std::vector<std::string>{"1", "5", "17"}));
    EXPECT_EQ(live.caption("CmbNet"), "1");
    EXPECT_EQ(live.caption("netdev"), "1 5 17 ");
    EXPECT_EQ(live.caption("MsgCom"), "Произошел опрос сети.");
    live.tick(2);
    EXPECT_EQ(live.caption("sn"), "123456");

    // Picking sensor 5 from the list reads its identity: version 1.3.1 enables 130 and 131 only.
    Control& box = live.form.control("CmbNet");
    box.list_index = 1;
    box.caption = box.list[1];
    live.tick(3);
    EXPECT_EQ(live.caption("sn"), "200501");
    EXPECT_EQ(live.caption("vv"), "1.3.1.");
    EXPECT_TRUE(logged(live, "Устройства в сети 1 5 17 "));
}

TEST_F(Monitoring, SilentAddressIsReportedUntilASensorAnswers) {
    live.type_address("1");
    live.tick(3);
    live.form.control("MsgCom").caption = "Пароль принят.";
    live.type_address("9");
    live.tick(2);
    EXPECT_EQ(live.caption("MsgCom"), "Нет ответа от датчика с адресом 9");
    EXPECT_TRUE(logged(live, "Нет ответа от датчика с адресом 9"));
    live.type_address("1");
    live.tick(2);
    EXPECT_EQ(live.caption("MsgCom"), "Пароль принят.");
}

}  // namespace
}  // namespace qm720
