#pragma once

#include <string>
#include <vector>

#include "app/frm_serial.h"
#include "support/fake_serial_port.h"
#include "support/fixed_clock.h"
#include "support/scripted_dialogs.h"
#include "support/temp_folder.h"

namespace qm720::test {

// 5 December 2026, 21:43:15: the start whose log is 05122026_214315.log.
inline constexpr LocalDateTime kStartTime{
    .year = 2026, .month = 12, .day = 5, .hour = 21, .minute = 43, .second = 15};

// The window over fakes, with its program folder in a fresh temporary folder. Form_Load is left
// to the test, so that it can arrange the folder or the clock first.
struct FormHarness {
    FakeSerialPort port;
    ScriptedDialogs dialogs;
    FixedClock clock{kStartTime};
    TempFolder folder;
    frmSerial form{port, dialogs, clock, folder.string()};

    // The whole log file as raw bytes; empty when there is none.
    std::string log_bytes() const;
};

// A file's raw bytes; empty when it cannot be read.
std::string file_bytes(const std::string& path);

// The members of control group `group` ("" for the ungrouped) whose enable state is not
// `enabled`: empty when the whole group is as expected, and names the strays when not.
std::vector<std::string> group_not(const frmSerial& form, const std::string& group, bool enabled);

// One log record as the file holds it: the text quoted, in cp1251, then CR LF.
std::string log_record(const std::string& text);

// The start record of a run started at kStartTime.
inline const std::string kStartRecordText = "Start: 05.12.2026 21:43:15\r\n";

}  // namespace qm720::test
