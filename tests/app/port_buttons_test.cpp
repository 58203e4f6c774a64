#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "app/form_events.h"
#include "support/form_harness.h"
#include "support/log_records.h"
#include "support/reply_builder.h"

namespace qm720 {
namespace {

using Names = std::vector<std::string>;

// Started, with COM1 chosen.
struct PortButtons : testing::Test {
    PortButtons() { form.start_up(); }
    // The members of `groups` whose enable state is not `enabled`.
    Names group_not(std::initializer_list<int> groups, bool enabled) const {
        Names names;
        for (const Control& control : form.controls()) {
            if (std::ranges::count(groups, control.group) > 0 && control.enabled != enabled) {
                names.push_back(control.name);
            }
        }
        return names;
    }
    test::FormHarness harness;
    frmSerial& form = harness.form;
};

// Groups 2, 5, 7 and the ungrouped are never switched, but for the tick and the open button.
TEST_F(PortButtons, OpenCloseOpenSwitchGroup9TheTickAndTheButtonAndAreLogged) {
    FormEventTable events;
    add_port_events(events);
    const Names never_switched_off = group_not({0, 2, 5, 7}, true);
    form.session.queue({0x31, 0x00, 0xF8, 0x00, 0x00, 0x04, 0xD2, 0x61});
    events.at("BTNOpenCom_Click")(form);

    EXPECT_TRUE(form.session.queued_request().empty());
    EXPECT_EQ(std::tie(harness.port.opens.at(0).device_path, harness.port.opens.at(0).settings),
              std::tuple("\\\\.\\COM1", "19200,n,8,1"));
    EXPECT_TRUE(form.control("TMRComm").enabled && !form.control("BTNOpenCom").enabled);
    // The frame view starts on, so the first open's toggle turns it off.
    EXPECT_EQ(group_not({9}, true), Names{"txtRec"});
    EXPECT_EQ(group_not({130, 131}, false), Names{});

    form.enable_version_groups(163);
    events.at("BTNCloseCom_Click")(form);
    EXPECT_TRUE(!form.control("TMRComm").enabled && form.control("BTNOpenCom").enabled);
    EXPECT_EQ(harness.port.closes, 1);
    EXPECT_EQ(group_not({9, 130, 131, 163}, false), Names{});
    EXPECT_EQ(group_not({0, 2, 5, 7}, true), never_switched_off);

    events.at("BTNOpenCom_Click")(form);
    EXPECT_EQ(group_not({9}, true), Names{});
    EXPECT_TRUE(harness.dialogs.shown.empty());
    EXPECT_EQ(
        test::logged_texts(harness),
        (Names{"Com Port \\\\.\\COM1 Open", "Com Port COM1 Closed", "Com Port \\\\.\\COM1 Open"}));
}

TEST_F(PortButtons, APortThatWillNotOpenIsReportedWithItsCauseAndNothingSwitches) {
    form.control("CmbPort").caption = form.control("CmbPort").list.at(29);
    harness.port.open_succeeds = false;
    harness.port.open_failure = {OpenFailureReason::NoPermission, "/dev/ttyS29",
                                 "Permission denied (join the group dialout)"};
    const Names texts = {"Com Port COM30 недоступен. Установите нужный порт.",
                         "/dev/ttyS29: Permission denied (join the group dialout)"};
    form.open_port();

    ASSERT_EQ(harness.dialogs.shown.size(), 1u);
    const test::ShownBox& box = harness.dialogs.shown[0];
    EXPECT_EQ(std::tie(box.text, box.title, box.icon),
              std::make_tuple(texts[0] + "\n" + texts[1], "", BoxIcon::Exclamation));
    EXPECT_TRUE(!form.control("TMRComm").enabled && form.control("BTNOpenCom").enabled);
    EXPECT_EQ(group_not({9}, false), Names{"txtRec"});
    EXPECT_EQ(test::logged_texts(harness), texts);
}

TEST_F(PortButtons, CloseResetsReadingsLampsAddressesAndWhatWasLearntOfTheSensor) {
    form.open_port();
    harness.hear(test::Measurement{.mode_byte = 0x08}.frame());
    harness.hear(test::identity_reply(4242, 131));
    for (Control& control : form.controls()) {
        control.caption = "123";
        control.list = {"1", "5"};
        control.list_index = control.value = 1;
        control.fill_colour = control.back_colour = 0xFF;
    }

    form.close_port();

    Names captions;
    for (const char* name : {"sn", "vv", "MsgCom", "Kalibr_warning", "netdev", "tek", "temp",
                             "uroven", "lo", "hi", "ne", "CmbNet"}) {
        captions.push_back(form.control(name).caption);
    }
    const std::string none = "Нет данных";
    EXPECT_EQ(captions, (Names{"0", "--------", "", "", "Устройства не определены", none, none,
                               none, none, none, none, "0"}));
    EXPECT_EQ(std::tie(form.control("CmbNet").list, form.control("CmbNet").list_index),
              std::make_tuple(Names{"0"}, 0));
    EXPECT_EQ(std::tuple(form.control("ProgressBar1").value, form.control("Pic").fill_colour,
                         form.control("ind_stab").fill_colour, form.control("hi").back_colour,
                         form.control("h").back_colour),
              std::tuple(0, 0x10FFFFu, 0xC0C0C0u, kButtonFace, kButtonFace));
    EXPECT_FALSE(form.session.measurement_seen());
    EXPECT_FALSE(form.session.identity_known());
    EXPECT_EQ(form.session.mode_byte(), std::nullopt);
    EXPECT_TRUE(form.session.redraws_mode_from_next_reply());
}

}  // namespace
}  // namespace qm720
