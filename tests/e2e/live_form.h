#pragma once

#include <string>

#include "app/frm_serial.h"
#include "serial/posix_serial_port.h"
#include "simulated_bus.h"
#include "support/fixed_clock.h"
#include "support/form_harness.h"
#include "support/log_records.h"
#include "support/scripted_dialogs.h"
#include "support/temp_folder.h"

namespace qm720::test {

// The window on the real serial driver, talking to qm720-sim; the test drives the ticks.
struct LiveForm {
    explicit LiveForm(const std::vector<std::string>& bus_options) : bus(bus_options) {
        form.start_up();
    }

    // The operator types an address into the address box.
    void type_address(const std::string& text);
    // The bus is up, "Открыть порт" opened COM1 and `address` is typed in; false if either failed.
    bool open_on(const std::string& address);
    void tick(int count = 1);
    const std::string& caption(const char* name) const { return form.control(name).caption; }
    std::vector<std::string> log() const;

    SimulatedBus bus;
    ScriptedDialogs dialogs;
    PosixSerialPort port{[this](const std::string& text) { dialogs.ok_box(text); }};
    FixedClock clock{kStartTime};
    TempFolder folder;
    frmSerial form{port, dialogs, clock, folder.string()};
};

}  // namespace qm720::test
