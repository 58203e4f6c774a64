#pragma once

// The form as the benchmarks run it: port open, sensor 1 selected, every poll answered at once
// with the same measurement, no box ever shown, the log in a scratch folder.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/combo_box.h"
#include "app/frm_serial.h"
#include "protocol/crc8.h"

namespace qm720::bench {

// Answers every read with the same 22-byte measurement and takes every write whole.
class AnsweringPort : public SerialPort {
  public:
    bool open(const std::string&, const std::string&) override { return true; }
    bool close() override { return true; }
    void wait_until_sent() override {}
    Bytes read() override { return reply_; }
    void discard_input() override {}
    std::uint16_t write(const Bytes& data) override {
        return static_cast<std::uint16_t>(data.size());
    }
    OpenFailure last_open_failure() const override { return {}; }
    std::string last_write_failure() const override { return {}; }

  private:
    Bytes reply_ = with_crc({0x3E, 0x01, 0xF0, 0x17, 0x00, 0x02, 0x68, 0x36, 0x02, 0x00, 0xA0,
                             0x86, 0x01, 0x00, 0x30, 0xE6, 0x02, 0x00, 0x58, 0x02, 0x00});
};

class SilentDialogs : public Dialogs {
  public:
    void message_box(const std::string&, const std::string&, BoxIcon) override {}
    bool yes_no_box(const std::string&) override { return false; }
    std::string input_box(const std::string&, const std::string&, const std::string&) override {
        return {};
    }
};

struct OpenWindow {
    OpenWindow() : folder(make_folder()), form(port, dialogs, clock, folder) {
        form.start_up();
        form.open_port();
        set_single_entry(form.control("CmbNet"), "1");
    }
    ~OpenWindow() { std::filesystem::remove_all(folder); }

    static std::string make_folder() {
        char name[] = "/tmp/qm720-bench-XXXXXX";
        return mkdtemp(name) ? name : "/tmp";
    }

    AnsweringPort port;
    SilentDialogs dialogs;
    SystemClock clock;
    std::string folder;
    frmSerial form;
};

// VmRSS of this process in KiB, from /proc/self/status; -1 when it cannot be read.
inline long resident_kib() {
    std::ifstream status("/proc/self/status");
    std::string key;
    long value = 0;
    while (status >> key) {
        if (key == "VmRSS:") {
            status >> value;
            return value;
        }
    }
    return -1;
}

}  // namespace qm720::bench
