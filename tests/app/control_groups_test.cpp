#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>

#include "support/form_harness.h"

namespace qm720 {
namespace {

using test::FormHarness;

std::map<std::string, bool> enabled_states(const frmSerial& form) {
    std::map<std::string, bool> states;
    for (const Control& control : form.controls()) {
        states[control.name] = control.enabled;
    }
    return states;
}

// Every control whose group is `group`, checked for one enable state.
void expect_group(const frmSerial& form, const std::string& group, bool enabled) {
    int members = 0;
    for (const Control& control : form.controls()) {
        if (control.tag == group) {
            ++members;
            EXPECT_EQ(control.enabled, enabled) << control.name << " in group " << group;
        }
    }
    EXPECT_GT(members, 0) << "group " << group;
}

// Controls outside the switched range keep whatever state they had.
void expect_unswitched_untouched(const std::map<std::string, bool>& before, const frmSerial& form) {
    for (const Control& control : form.controls()) {
        if (control.tag.empty() || control.tag == "2" || control.tag == "5" || control.tag == "7") {
            EXPECT_EQ(control.enabled, before.at(control.name)) << control.name;
        }
    }
}

TEST(ControlGroups, SwitchTagsAtStartEnablesGroup9AndDisablesTheFrameView) {
    FormHarness harness;
    frmSerial& form = harness.form;
    const auto before = enabled_states(form);

    form.SwitchTags();

    for (const Control& control : form.controls()) {
        if (control.tag == "9") {
            EXPECT_EQ(control.enabled, control.name != "txtRec") << control.name;
        } else {
            EXPECT_EQ(control.enabled, before.at(control.name)) << control.name;
        }
    }
}

TEST(ControlGroups, CloseAllTagsDisablesEveryGroupAbove8AndLeavesTheRest) {
    for (const bool start : {true, false}) {
        FormHarness harness;
        frmSerial& form = harness.form;
        for (Control& control : form.controls()) {
            control.enabled = start;
        }
        const auto before = enabled_states(form);

        form.CloseAllTags();

        for (const char* group : {"9", "130", "131", "163"}) {
            expect_group(form, group, false);
        }
        expect_unswitched_untouched(before, form);
    }
}

TEST(ControlGroups, VersionSwitchesEnableOnlyTheirOwnGroup) {
    const std::vector<std::pair<std::string, std::function<void(frmSerial&)>>> switches = {
        {"130", [](frmSerial& form) { form.swtag130(); }},
        {"131", [](frmSerial& form) { form.swtag131(); }},
        {"163", [](frmSerial& form) { form.swtag163(); }},
    };
    for (const auto& [group, switch_on] : switches) {
        FormHarness harness;
        frmSerial& form = harness.form;
        const auto before = enabled_states(form);

        switch_on(form);

        for (const Control& control : form.controls()) {
            const bool expected = control.tag == group || before.at(control.name);
            EXPECT_EQ(control.enabled, expected) << control.name << " after swtag" << group;
        }
    }
}

TEST(ControlGroups, Swtag134ChangesNothingWithTheWindowsGroups) {
    FormHarness harness;
    frmSerial& form = harness.form;
    form.SwitchTags();
    const auto before = enabled_states(form);

    form.swtag134();

    EXPECT_EQ(enabled_states(form), before);
}

TEST(ControlGroups, OpenCloseOpenEnablesGroup9AgainAndKeepsVersionGroupsOff) {
    FormHarness harness;
    frmSerial& form = harness.form;
    form.SwitchTags();
    form.swtag130();
    form.swtag131();
    form.swtag163();
    form.CloseAllTags();

    form.SwitchTags();

    expect_group(form, "9", true);
    for (const char* group : {"130", "131", "163"}) {
        expect_group(form, group, false);
    }
}

TEST(ControlGroups, Version131EnablesGroups130And131ButNot163) {
    FormHarness harness;
    frmSerial& form = harness.form;
    // Opened after a close, so that "Ввести пароль" is off like the rest of group 163.
    form.SwitchTags();
    form.CloseAllTags();
    form.SwitchTags();
    form.swtag130();
    form.swtag131();

    expect_group(form, "130", true);
    expect_group(form, "131", true);
    expect_group(form, "163", false);
}

}  // namespace
}  // namespace qm720
