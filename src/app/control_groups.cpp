#include <array>
#include <cstdint>

#include "app/frm_serial.h"

namespace qm720 {
namespace {

// Group 9 holds what needs an open port; 130 and up are the software versions from which a
// sensor offers a feature; 2, 5 and 7 are never switched; 0 is no group.
constexpr int kSwitchedGroupsAbove = 8;
constexpr int kFirstVersionGroup = 130;

struct VersionUnlock {
    std::uint8_t from_version;  // the sensor's software version, 131 for 1.3.1
    int first_group;            // the groups it enables, first to last
    int last_group;
};

// What each software version unlocks, besides what every earlier version does.
constexpr std::array<VersionUnlock, 4> kVersionUnlocks = {{
    {130, 130, 130},
    {131, 131, 131},
    {134, 135, 162},
    {163, 163, 163},
}};

template <typename Selects, typename Change>
void for_groups(std::vector<Control>& controls, Selects selects, Change change) {
    for (Control& control : controls) {
        if (control.group != 0 && selects(control.group)) {
            change(control);
        }
    }
}

}  // namespace

void frmSerial::toggle_port_groups() {
    for_groups(
        controls_, [](int g) { return g > kSwitchedGroupsAbove && g < kFirstVersionGroup; },
        [](Control& control) { control.enabled = !control.enabled; });
}

void frmSerial::disable_port_groups() {
    for_groups(
        controls_, [](int g) { return g > kSwitchedGroupsAbove; },
        [](Control& control) { control.enabled = false; });
}

void frmSerial::enable_version_groups(std::uint8_t software_version) {
    for (const VersionUnlock& unlock : kVersionUnlocks) {
        if (software_version >= unlock.from_version) {
            for_groups(
                controls_,
                [&unlock](int g) { return g >= unlock.first_group && g <= unlock.last_group; },
                [](Control& control) { control.enabled = true; });
        }
    }
}

}  // namespace qm720
