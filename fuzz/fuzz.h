#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "app/frm_serial.h"
#include "support/fake_serial_port.h"
#include "support/fixed_clock.h"
#include "support/scripted_dialogs.h"

// Each target is one way in from outside; libFuzzer reports a crash, a hang or a sanitizer report.
#define QM720_FUZZ(input)                                                                     \
    static void fuzz_one(std::string_view input, const std::uint8_t* data, std::size_t size); \
    extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {       \
        fuzz_one(std::string_view(reinterpret_cast<const char*>(data), size), data, size);    \
        return 0;                                                                             \
    }                                                                                         \
    static void fuzz_one([[maybe_unused]] std::string_view input,                             \
                         [[maybe_unused]] const std::uint8_t* data,                           \
                         [[maybe_unused]] std::size_t size)

namespace qm720::fuzz {

// Command-line arguments from the input, the program's name not among them: NUL and newline
// end an argument, and an empty last one is dropped.
inline std::vector<std::string> argument_vector(std::string_view input) {
    std::vector<std::string> arguments(1);
    for (const char c : input) {
        if (c == '\0' || c == '\n') {
            arguments.emplace_back();
        } else {
            arguments.back().push_back(c);
        }
    }
    if (arguments.back().empty()) {
        arguments.pop_back();
    }
    return arguments;
}

// The window over the tests' fakes, after start-up; unscripted boxes are answered No or Cancel.
// "/dev/null" holds no log folder, so the window runs unrecorded: a log file for every input
// would slow the run a hundredfold, and the log's conversion has a target of its own.
struct FuzzForm {
    test::FakeSerialPort port;
    test::ScriptedDialogs dialogs;
    test::FixedClock clock;
    frmSerial form{port, dialogs, clock, "/dev/null"};

    FuzzForm() { form.start_up(); }
};

}  // namespace qm720::fuzz
