#include <gtest/gtest.h>
#include <pty.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "serial/posix_serial_port.h"
#include "support/fixed_clock.h"
#include "support/form_harness.h"

namespace qm720 {
namespace {

using test::kStartTime;

// A pseudo-terminal linked as COM1 in a ports folder that QM720_PORTS names, as the simulated
// bus links its lines; restores the variable at the end.
class LinkedTerminal {
  public:
    explicit LinkedTerminal(const std::filesystem::path& ports_folder) {
        std::vector<char> name(256);
        if (::openpty(&master_, &slave_, name.data(), nullptr, nullptr) != 0) {
            ADD_FAILURE() << "openpty failed";
            return;
        }
        std::filesystem::create_directory(ports_folder);
        std::filesystem::create_symlink(name.data(), ports_folder / "COM1");
        if (const char* previous = std::getenv("QM720_PORTS")) {
            previous_ = previous;
        }
        ::setenv("QM720_PORTS", ports_folder.c_str(), 1);
    }
    ~LinkedTerminal() {
        if (previous_) {
            ::setenv("QM720_PORTS", previous_->c_str(), 1);
        } else {
            ::unsetenv("QM720_PORTS");
        }
        for (const int fd : {slave_, master_}) {
            if (fd >= 0) {
                ::close(fd);
            }
        }
    }
    LinkedTerminal(const LinkedTerminal&) = delete;
    LinkedTerminal& operator=(const LinkedTerminal&) = delete;

  private:
    int master_ = -1;
    int slave_ = -1;
    std::optional<std::string> previous_;
};

std::string log_record(const std::string& text) {
    return test::log_record("21:43:15 : " + text);
}

const std::string kStartRecord = test::log_record(test::kStartRecordText);

struct PortButtonsOnATerminal : testing::Test {
    PortButtonsOnATerminal() { form.Form_Load(); }

    test::TempFolder folder;
    LinkedTerminal terminal{folder.path() / "ports"};
    std::vector<std::string> driver_messages;
    PosixSerialPort port{[this](const std::string& text) { driver_messages.push_back(text); }};
    test::ScriptedDialogs dialogs;
    test::FixedClock clock{kStartTime};
    frmSerial form{port, dialogs, clock, folder.string()};

    std::string log_bytes() const { return test::file_bytes(form.log.log_path()); }
};

TEST_F(PortButtonsOnATerminal, OpensAndClosesTheLinkedLine) {
    form.BTNOpenCom_Click();

    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_TRUE(driver_messages.empty());
    EXPECT_TRUE(form.control("TMRComm").enabled);
    EXPECT_FALSE(form.control("BTNOpenCom").enabled);
    EXPECT_EQ(port.WritePort({0x31, 0x01, 0xF0, 0xC5}), 4);

    form.BTNCloseCom_Click();

    EXPECT_TRUE(form.control("BTNOpenCom").enabled);
    EXPECT_EQ(log_bytes(), kStartRecord + log_record("Com Port \\\\.\\COM1 Open") +
                               log_record("Com Port COM1 Closed"));
}

}  // namespace
}  // namespace qm720
