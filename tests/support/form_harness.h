#pragma once

#include <fstream>
#include <iterator>
#include <string>

#include "app/frm_serial.h"
#include "support/fake_serial_port.h"
#include "support/fixed_clock.h"
#include "support/scripted_dialogs.h"
#include "support/temp_folder.h"

namespace qm720::test {

// 5 December 2026, 21:43:15: the start whose log is 05122026_214315.log.
inline constexpr LocalDateTime kStartTime{
    .year = 2026, .month = 12, .day = 5, .hour = 21, .minute = 43, .second = 15};

// A file's raw bytes; empty when it cannot be read.
inline std::string file_bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The window over fakes, with its program folder in a fresh temporary folder. start_up is left
// to the test, so that it can arrange the folder or the clock first.
struct FormHarness {
    FakeSerialPort port;
    ScriptedDialogs dialogs;
    FixedClock clock{kStartTime};
    TempFolder folder;
    frmSerial form{port, dialogs, clock, folder.string()};

    // The whole log file as raw bytes; empty when there is none.
    std::string log_bytes() const { return file_bytes(form.log.log_path()); }
};

}  // namespace qm720::test
