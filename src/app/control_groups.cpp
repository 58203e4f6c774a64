#include <cstdint>

#include "app/frm_serial.h"
#include "app/text_number.h"

namespace qm720 {
namespace {

// Group 9 holds what needs an open port; 130, 131 and 163 are the software versions from which
// a sensor offers a feature; 2, 5 and 7 are never switched. An empty tag is no group.
constexpr std::int64_t kSwitchedGroupsAbove = 8;
constexpr std::int64_t kFirstVersionGroup = 130;

template <typename Selects, typename Change>
void for_groups(std::vector<Control>& controls, Selects selects, Change change) {
    for (Control& control : controls) {
        const auto group = whole_number(control.tag);
        if (group && selects(*group)) {
            change(control);
        }
    }
}

template <typename Selects>
void enable_groups(std::vector<Control>& controls, Selects selects) {
    for_groups(controls, selects, [](Control& control) { control.enabled = true; });
}

}  // namespace

void frmSerial::toggle_port_groups() {
    for_groups(
        controls_,
        [](std::int64_t g) { return g > kSwitchedGroupsAbove && g < kFirstVersionGroup; },
        [](Control& control) { control.enabled = !control.enabled; });
}

void frmSerial::disable_port_groups() {
    for_groups(
        controls_, [](std::int64_t g) { return g > kSwitchedGroupsAbove; },
        [](Control& control) { control.enabled = false; });
}

void frmSerial::enable_v130() {
    enable_groups(controls_, [](std::int64_t g) { return g == 130; });
}

void frmSerial::enable_v131() {
    enable_groups(controls_, [](std::int64_t g) { return g == 131; });
}

void frmSerial::enable_v134() {
    enable_groups(controls_, [](std::int64_t g) { return g > 134 && g < 163; });
}

void frmSerial::enable_v163() {
    enable_groups(controls_, [](std::int64_t g) { return g == 163; });
}

}  // namespace qm720
