#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gui/all_form_events.h"
#include "support/form_harness.h"

namespace qm720 {
namespace {

// The control part of an event key: "hig_Click" -> "hig".
std::string control_of(const std::string& key) {
    return key.substr(0, key.rfind('_'));
}

// The front end raises events by control name; a key whose control is gone, or a button
// nobody handles, would be a click that does nothing.
TEST(FormEvents, EveryKeyNamesAControlAndEveryButtonHasItsClick) {
    test::FormHarness harness;
    const FormEventTable events = gui::all_form_events();
    for (const auto& entry : events) {
        const std::string& key = entry.first;
        EXPECT_NO_THROW(harness.form.control(control_of(key))) << key << " names no control";
    }
    for (const Control& control : harness.form.controls()) {
        if (control.kind == ControlKind::CommandButton) {
            EXPECT_TRUE(events.contains(control.name + "_Click"))
                << control.name << " has no click in the table";
        }
    }
    for (const char* raised : {"TMRComm_Timer", "CmbNet_Change", "CmbNet_Click"}) {
        EXPECT_TRUE(events.contains(raised)) << raised << " is raised but not in the table";
    }
}

}  // namespace
}  // namespace qm720
