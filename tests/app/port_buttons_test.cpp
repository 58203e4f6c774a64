#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "app/form_events.h"
#include "support/form_harness.h"
#include "support/log_records.h"

namespace qm720 {
namespace {

using Names = std::vector<std::string>;

// Each operation changes its own groups and nothing else, whatever it finds: the start state,
// every control on or every control off. Groups 2, 5, 7 and the ungrouped are never switched.
TEST(ControlGroups, EachOperationSwitchesOnlyItsGroups) {
    using Effect = bool (*)(bool before);
    const Effect on = [](bool) { return true; }, off = [](bool) { return false; };
    const Effect flip = [](bool before) { return !before; };
    const std::vector<std::tuple<std::string, void (frmSerial::*)(), Names, Effect>> cases = {
        {"toggle_port_groups", &frmSerial::toggle_port_groups, {"9"}, flip},
        {"disable_port_groups", &frmSerial::disable_port_groups, {"9", "130", "131", "163"}, off},
        {"enable_v130", &frmSerial::enable_v130, {"130"}, on},
        {"enable_v131", &frmSerial::enable_v131, {"131"}, on},
        {"enable_v134", &frmSerial::enable_v134, {}, on},  // no control is in groups 135 to 162
        {"enable_v163", &frmSerial::enable_v163, {"163"}, on},
    };
    for (const auto& [name, operation, groups, effect] : cases) {
        for (const std::string_view start : {"start state", "all on", "all off"}) {
            test::FormHarness harness;
            std::vector<bool> before;
            for (Control& control : harness.form.controls()) {
                if (start != "start state") {
                    control.enabled = start == "all on";
                }
                before.push_back(control.enabled);
            }

            (harness.form.*operation)();

            for (std::size_t i = 0; i < before.size(); ++i) {
                const Control& control = harness.form.controls()[i];
                const bool expected =
                    std::ranges::count(groups, control.tag) > 0 ? effect(before[i]) : before[i];
                EXPECT_EQ(control.enabled, expected)
                    << control.name << " after " << name << " from " << start;
            }
        }
    }
}

// Started, with COM1 chosen.
struct PortButtons : testing::Test {
    PortButtons() { form.start_up(); }

    // The members of `group` whose enable state is not `enabled`.
    Names group_not(const std::string& group, bool enabled) const {
        Names names;
        for (const Control& control : form.controls()) {
            if (control.tag == group && control.enabled != enabled) {
                names.push_back(control.name);
            }
        }
        return names;
    }

    test::FormHarness harness;
    frmSerial& form = harness.form;
};

// The buttons pressed through the event table, as the front end presses them.
TEST_F(PortButtons, OpenCloseOpenSwitchGroup9TheTickAndTheButtonAndAreLogged) {
    FormEventTable events;
    add_port_events(events);
    form.link.write_failures = 3;
    // A password confirmed while the port was closed was meant for no sensor in particular.
    form.link.pending_request = {0x31, 0x00, 0xF8, 0x00, 0x00, 0x04, 0xD2, 0x61};
    events.at("BTNOpenCom_Click")(form);

    EXPECT_TRUE(form.link.pending_request.empty());
    EXPECT_EQ(harness.port.opens.at(0).device_path, "\\\\.\\COM1");
    EXPECT_EQ(harness.port.opens.at(0).settings, "19200,n,8,1");
    EXPECT_TRUE(form.control("TMRComm").enabled);
    EXPECT_FALSE(form.control("BTNOpenCom").enabled);
    EXPECT_EQ(form.link.write_failures, 0);
    // The frame view starts on, so the first open's toggle turns it off.
    EXPECT_EQ(group_not("9", true), Names{"txtRec"});

    form.enable_v163();
    events.at("BTNCloseCom_Click")(form);

    EXPECT_FALSE(form.control("TMRComm").enabled);
    EXPECT_TRUE(form.control("BTNOpenCom").enabled);
    EXPECT_EQ(harness.port.closes, 1);
    EXPECT_EQ(group_not("9", false), Names{});

    // Closing turned the frame view off too, so now the whole of group 9 comes on; the version
    // groups wait for the sensor's identity.
    events.at("BTNOpenCom_Click")(form);

    EXPECT_EQ(group_not("9", true), Names{});
    for (const char* group : {"130", "131", "163"}) {
        EXPECT_EQ(group_not(group, false), Names{}) << group;
    }
    // A sensor of version 131 enables its groups; one of version 120 afterwards calls none.
    form.enable_v130();
    form.enable_v131();
    EXPECT_EQ(group_not("130", true), Names{});
    EXPECT_EQ(group_not("131", true), Names{});
    EXPECT_EQ(group_not("163", false), Names{});
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
    const std::string message = "Com Port COM30 недоступен. Установите нужный порт.";

    form.open_port();

    EXPECT_EQ(harness.port.opens.at(0).device_path, "\\\\.\\COM30");
    ASSERT_EQ(harness.dialogs.shown.size(), 1u);
    const test::ShownBox& box = harness.dialogs.shown[0];
    EXPECT_EQ(std::tie(box.kind, box.text, box.title, box.icon),
              std::make_tuple(test::BoxKind::Message,
                              message + "\n/dev/ttyS29: Permission denied (join the group dialout)",
                              "", BoxIcon::Exclamation));
    EXPECT_FALSE(form.control("TMRComm").enabled);
    EXPECT_TRUE(form.control("BTNOpenCom").enabled);
    EXPECT_EQ(group_not("9", false), Names{"txtRec"});
    EXPECT_EQ(test::logged_texts(harness),
              (Names{message, "/dev/ttyS29: Permission denied (join the group dialout)"}));
}

TEST_F(PortButtons, CloseResetsReadingsLampsAddressesAndWhatWasLearntOfTheSensor) {
    form.open_port();
    form.lamp.average = 1000.0;
    form.lamp.score = form.lamp.hold = 5;
    form.show_next_mode = false;
    form.mode_byte_known = form.identity_known = true;
    for (Control& control : form.controls()) {
        control.caption = "123";
        control.list = {"1", "5"};
        control.list_index = control.value = 1;
        control.fill_colour = control.back_colour = 0xFF;
    }
    form.link.pending_request = {0x31, 0xFF, 0xDC};
    form.link.scan_awaited = true;

    form.close_port();

    Names captions;
    for (const char* name : {"sn", "vv", "MsgCom", "Kalibr_warning", "netdev", "tek", "temp",
                             "uroven", "lo", "hi", "ne"}) {
        captions.push_back(form.control(name).caption);
    }
    const std::string none = "Нет данных";
    EXPECT_EQ(captions, (Names{"0", "--------", "", "", "Устройства не определены", none, none,
                               none, none, none, none}));
    const Control& addresses = form.control("CmbNet");
    EXPECT_EQ(std::tie(addresses.list, addresses.list_index, addresses.caption),
              std::make_tuple(Names{"0"}, 0, "0"));
    EXPECT_EQ(form.control("ProgressBar1").value, 0);
    EXPECT_EQ(form.control("Pic").fill_colour, 0x10FFFFu);
    EXPECT_EQ(form.control("ind_stab").fill_colour, 0xC0C0C0u);
    EXPECT_EQ(form.control("hi").back_colour, kButtonFace);
    EXPECT_EQ(form.control("h").back_colour, kButtonFace);
    EXPECT_EQ(std::tie(form.lamp.average, form.lamp.score, form.lamp.hold),
              std::make_tuple(0.0, 0, 0));
    EXPECT_TRUE(form.show_next_mode);
    EXPECT_FALSE(form.mode_byte_known || form.identity_known);
    EXPECT_EQ(form.link.pending_request, (Bytes{0x31, 0xFF, 0xDC}));
    EXPECT_TRUE(form.link.scan_awaited);
}

}  // namespace
}  // namespace qm720
