#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/form_events.h"
#include "support/form_harness.h"

namespace qm720 {
namespace {

using test::FormHarness;

const std::string kStartRecord = test::log_record(test::kStartRecordText);

std::string log_record(const std::string& time, const std::string& text) {
    return test::log_record(time + " : " + text);
}

// Started, with COM1 chosen and the log begun at 21:43:15.
struct PortButtons : testing::Test {
    PortButtons() { form.Form_Load(); }

    void choose_port(int index) {
        Control& ports = form.control("CmbPort");
        ports.list_index = index;
        ports.caption = ports.list.at(static_cast<std::size_t>(index));
    }
    void set_second(int second) { harness.clock.at.second = second; }
    std::vector<std::string> group_not(const std::string& group, bool enabled) const {
        return test::group_not(form, group, enabled);
    }

    FormHarness harness;
    frmSerial& form = harness.form;
};

TEST_F(PortButtons, OpenUsesTheChosenPortEnablesGroup9AndStartsTheTick) {
    form.wr_fail_count = 3;
    set_second(20);

    form.BTNOpenCom_Click();

    ASSERT_EQ(harness.port.opens.size(), 1u);
    EXPECT_EQ(harness.port.opens[0].device_path, "\\\\.\\COM1");
    EXPECT_EQ(harness.port.opens[0].settings, "19200,n,8,1");
    EXPECT_TRUE(form.control("TMRComm").enabled);
    EXPECT_FALSE(form.control("BTNOpenCom").enabled);
    EXPECT_EQ(form.wr_fail_count, 0);
    // The frame view starts on, so the first open's toggle turns it off.
    EXPECT_EQ(group_not("9", true), std::vector<std::string>{"txtRec"});
    EXPECT_TRUE(harness.dialogs.shown.empty());
    EXPECT_EQ(harness.log_bytes(),
              kStartRecord + log_record("21:43:20", "Com Port \\\\.\\COM1 Open"));
}

TEST_F(PortButtons, APortThatWillNotOpenIsReportedWithItsCauseAndTheWindowStaysClosed) {
    choose_port(29);
    harness.port.open_succeeds = false;
    harness.port.open_failure = {OpenFailureReason::NoPermission, "/dev/ttyS29",
                                 "Permission denied (join the group dialout)"};
    const std::string message = "Com Port COM30 недоступен. Установите нужный порт.";
    set_second(20);

    form.BTNOpenCom_Click();

    EXPECT_EQ(harness.port.opens.at(0).device_path, "\\\\.\\COM30");
    ASSERT_EQ(harness.dialogs.shown.size(), 1u);
    EXPECT_EQ(harness.dialogs.shown[0].kind, test::BoxKind::Message);
    EXPECT_EQ(harness.dialogs.shown[0].text, message);
    EXPECT_EQ(harness.dialogs.shown[0].title, "");
    EXPECT_EQ(harness.dialogs.shown[0].icon, BoxIcon::Exclamation);
    EXPECT_FALSE(form.control("TMRComm").enabled);
    EXPECT_TRUE(form.control("BTNOpenCom").enabled);
    EXPECT_EQ(group_not("9", false), std::vector<std::string>{"txtRec"});
    EXPECT_EQ(
        harness.log_bytes(),
        kStartRecord + log_record("21:43:20", message) +
            log_record("21:43:20", "/dev/ttyS29: Permission denied (join the group dialout)"));
}

TEST_F(PortButtons, CloseStopsTheTickReleasesThePortAndLogsThePortName) {
    set_second(20);
    form.BTNOpenCom_Click();
    set_second(31);

    form.BTNCloseCom_Click();

    EXPECT_FALSE(form.control("TMRComm").enabled);
    EXPECT_EQ(harness.port.closes, 1);
    EXPECT_TRUE(form.control("BTNOpenCom").enabled);
    for (const char* group : {"9", "130", "131", "163"}) {
        EXPECT_EQ(group_not(group, false), std::vector<std::string>{}) << group;
    }
    EXPECT_EQ(harness.log_bytes(), kStartRecord +
                                       log_record("21:43:20", "Com Port \\\\.\\COM1 Open") +
                                       log_record("21:43:31", "Com Port COM1 Closed"));
}

TEST_F(PortButtons, CloseResetsReadingsLampsAndTheAddressListButNotTheExchangeState) {
    form.BTNOpenCom_Click();
    for (const char* name : {"sn", "vv", "tek", "temp", "uroven", "lo", "hi", "ne", "MsgCom",
                             "Kalibr_warning", "netdev"}) {
        form.control(name).caption = "123";
    }
    Control& addresses = form.control("CmbNet");
    addresses.list = {"1", "5", "17"};
    addresses.list_index = 1;
    addresses.caption = "5";
    form.control("ProgressBar1").value = 700;
    form.control("Pic").fill_colour = 0xFFFFFF;
    form.control("hi").back_colour = 0xFFFF;
    form.control("h").back_colour = 0xFF;
    form.control("ind_stab").fill_colour = 0xC000;
    form.wrs = {0x31, 0xFF, 0xDC};
    form.net_opr = true;
    form.hold_cnt = 7;

    form.BTNCloseCom_Click();

    EXPECT_EQ(addresses.list, std::vector<std::string>{"0"});
    EXPECT_EQ(addresses.list_index, 0);
    EXPECT_EQ(addresses.caption, "0");
    EXPECT_EQ(form.control("sn").caption, "0");
    EXPECT_EQ(form.control("vv").caption, "--------");
    for (const char* reading : {"tek", "temp", "uroven", "lo", "hi", "ne"}) {
        EXPECT_EQ(form.control(reading).caption, "Нет данных") << reading;
    }
    EXPECT_EQ(form.control("MsgCom").caption, "");
    EXPECT_EQ(form.control("Kalibr_warning").caption, "");
    EXPECT_EQ(form.control("netdev").caption, "Устройства не определены");
    EXPECT_EQ(form.control("ProgressBar1").value, 0);
    EXPECT_EQ(form.control("Pic").fill_colour, 0x10FFFFu);
    EXPECT_EQ(form.control("hi").back_colour, kButtonFace);
    EXPECT_EQ(form.control("h").back_colour, kButtonFace);
    EXPECT_EQ(form.control("ind_stab").fill_colour, 0xC0C0C0u);
    EXPECT_EQ(form.wrs, (Bytes{0x31, 0xFF, 0xDC}));
    EXPECT_TRUE(form.net_opr);
    EXPECT_EQ(form.hold_cnt, 7);
}

TEST_F(PortButtons, OpenCloseOpenLeavesGroup9EnabledAfterEachOpen) {
    form.BTNOpenCom_Click();
    form.swtag163();
    form.BTNCloseCom_Click();

    form.BTNOpenCom_Click();

    EXPECT_EQ(group_not("9", true), std::vector<std::string>{});
    for (const char* group : {"130", "131", "163"}) {
        EXPECT_EQ(group_not(group, false), std::vector<std::string>{}) << group;
    }
    EXPECT_TRUE(form.control("TMRComm").enabled);
    EXPECT_EQ(harness.port.opens.size(), 2u);
}

TEST_F(PortButtons, EventTableRunsTheButtonsByName) {
    FormEventTable events;
    add_port_events(events);

    events.at("BTNOpenCom_Click")(form);
    EXPECT_TRUE(harness.port.is_open);
    events.at("BTNCloseCom_Click")(form);
    EXPECT_FALSE(harness.port.is_open);
    EXPECT_EQ(events.size(), 2u);
}

}  // namespace
}  // namespace qm720
