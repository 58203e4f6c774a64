#include <string>

#include "app/combo_box.h"
#include "app/frm_serial.h"

namespace qm720 {
namespace {

constexpr int kPortCount = 30;

}  // namespace

void frmSerial::start_up() {
    set_single_entry(control("CmbNet"), "0");

    Control& ports = control("CmbPort");
    clear_entries(ports);
    for (int number = 1; number <= kPortCount; ++number) {
        add_entry(ports, "COM" + std::to_string(number));
    }
    select_entry(ports, 0);

    // Start-up ends here either way: the window works while the log cannot be written, and every
    // later line tries again.
    if (const auto failure = log.start(log_home_, clock.now())) {
        report_log_failure(*failure);
    }
}

}  // namespace qm720
