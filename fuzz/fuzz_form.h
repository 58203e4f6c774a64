#pragma once

#include "app/frm_serial.h"
#include "support/fake_serial_port.h"
#include "support/fixed_clock.h"
#include "support/scripted_dialogs.h"

namespace qm720::fuzz {

// The window over the tests' fakes, after start-up. A box that no answer was scripted for is
// answered No or Cancel. No log folder can be made in the program folder, so the window runs
// unrecorded, as after a log that failed to start: a log file for every input would slow the run
// a hundredfold, and the log's conversion has a target of its own.
struct FuzzForm {
    test::FakeSerialPort port;
    test::ScriptedDialogs dialogs;
    test::FixedClock clock;
    frmSerial form{port, dialogs, clock, "/dev/null"};

    FuzzForm() { form.start_up(); }
};

}  // namespace qm720::fuzz
