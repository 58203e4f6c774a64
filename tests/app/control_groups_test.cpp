#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "support/form_harness.h"

namespace qm720 {
namespace {

using test::FormHarness;
using test::group_not;

std::map<std::string, bool> enabled_states(const frmSerial& form) {
    std::map<std::string, bool> states;
    for (const Control& control : form.controls()) {
        states[control.name] = control.enabled;
    }
    return states;
}

const std::vector<std::string> kNone;

// Each operation, from the start state, changes exactly the controls named and nothing else.
TEST(ControlGroups, EachOperationSwitchesOnlyItsGroups) {
    struct Case {
        std::string operation;
        std::function<void(frmSerial&)> run;
        std::function<bool(const Control&, bool before)> expected;
    };
    const auto in = [](const Control& c, std::initializer_list<const char*> groups) {
        return std::find(groups.begin(), groups.end(), c.tag) != groups.end();
    };
    const std::vector<Case> cases = {
        {"SwitchTags", &frmSerial::SwitchTags,
         [](const Control& c, bool before) { return c.tag == "9" ? !before : before; }},
        {"CloseAllTags", &frmSerial::CloseAllTags,
         [&](const Control& c, bool before) {
             return in(c, {"9", "130", "131", "163"}) ? false : before;
         }},
        {"swtag130", &frmSerial::swtag130,
         [](const Control& c, bool before) { return c.tag == "130" || before; }},
        {"swtag131", &frmSerial::swtag131,
         [](const Control& c, bool before) { return c.tag == "131" || before; }},
        {"swtag134", &frmSerial::swtag134, [](const Control&, bool before) { return before; }},
        {"swtag163", &frmSerial::swtag163,
         [](const Control& c, bool before) { return c.tag == "163" || before; }},
    };
    for (const Case& c : cases) {
        FormHarness harness;
        frmSerial& form = harness.form;
        const auto before = enabled_states(form);

        c.run(form);

        for (const Control& control : form.controls()) {
            EXPECT_EQ(control.enabled, c.expected(control, before.at(control.name)))
                << control.name << " after " << c.operation;
        }
    }
}

TEST(ControlGroups, CloseAllTagsLeavesGroups2And5And7AndUngroupedControlsAlone) {
    for (const bool start : {true, false}) {
        FormHarness harness;
        frmSerial& form = harness.form;
        for (Control& control : form.controls()) {
            control.enabled = start;
        }

        form.CloseAllTags();

        for (const char* group : {"2", "5", "7", ""}) {
            EXPECT_EQ(group_not(form, group, start), kNone) << "group '" << group << "'";
        }
    }
}

TEST(ControlGroups, OpenCloseOpenEnablesGroup9AgainAndVersionGroupsWaitForTheIdentity) {
    FormHarness harness;
    frmSerial& form = harness.form;
    form.SwitchTags();
    form.swtag163();
    form.CloseAllTags();

    form.SwitchTags();
    EXPECT_EQ(group_not(form, "9", true), kNone);
    for (const char* group : {"130", "131", "163"}) {
        EXPECT_EQ(group_not(form, group, false), kNone) << group;
    }

    // A sensor of version 131; one of a lower version afterwards switches nothing.
    form.swtag130();
    form.swtag131();
    EXPECT_EQ(group_not(form, "130", true), kNone);
    EXPECT_EQ(group_not(form, "131", true), kNone);
    EXPECT_EQ(group_not(form, "163", false), kNone);
}

}  // namespace
}  // namespace qm720
