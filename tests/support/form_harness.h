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

// The start whose log is 05122026_214315.log.
inline constexpr LocalDateTime kStartTime{2026, 12, 5, 21, 43, 15};

inline std::string file_bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The window over fakes in a fresh program folder; start_up is left to the test.
struct FormHarness {
    FakeSerialPort port;
    ScriptedDialogs dialogs;
    FixedClock clock{kStartTime};
    TempFolder folder;
    frmSerial form{port, dialogs, clock, folder.string()};

    std::string log_bytes() const { return file_bytes(form.log.log_path()); }

    // The form's session hears `reply` on a tick with `address` selected, as the exchange would,
    // and learns from it; the controls are left alone and what the tick wrote is forgotten.
    void hear(const Bytes& reply, std::uint8_t address = 1) {
        port.reads.push_back(reply);
        (void)form.session.tick(address, false);
        port.writes.clear();
    }
};

}  // namespace qm720::test
