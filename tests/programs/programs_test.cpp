#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <regex>
#include <string>

// The programs' command lines: what they print and the status they end with, with no window and
// no log file for --help and --version.
namespace {

struct Outcome {
    int status = -1;
    std::string output;  // standard output and error together
};

Outcome run(const std::string& command) {
    Outcome result;
    FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    if (pipe == nullptr) {
        return result;
    }
    char buffer[256];
    while (fgets(buffer, sizeof buffer, pipe) != nullptr) {
        result.output += buffer;
    }
    const int wait_status = pclose(pipe);
    result.status = WIFEXITED(wait_status) ? WEXITSTATUS(wait_status) : -1;
    return result;
}

TEST(Programs, EachCommandLineEndsWithItsStatusAndText) {
    const std::string qm720 = QM720_PROGRAM;
    const std::string version = QM720_VERSION;
    const struct {
        std::string command;
        int status;
        std::string output;  // a regular expression over the whole output
    } cases[] = {
        {"env -u DISPLAY " + qm720 + " --version", 0, "qm720 " + version + "\n"},
        {"env -u DISPLAY " + qm720 + " --help", 0,
         "[^]*QM720_PORTS[^]*/dev/ttyUSB[^]*Log: one file per start, /[^]*"},
        {qm720 + " --bogus", 2, "Usage: qm720[^]*"},
        // One line, not Qt's abort.
        {"env -u QT_QPA_PLATFORM DISPLAY=:199 " + qm720, 1, "qm720: [^\n]*\n"},
        {std::string(QM720_SIM_PROGRAM) + " --version", 0, "qm720-sim " + version + "\n"},
    };
    for (const auto& c : cases) {
        const Outcome result = run(c.command);
        EXPECT_EQ(result.status, c.status) << c.command << "\n" << result.output;
        EXPECT_TRUE(std::regex_match(result.output, std::regex(c.output, std::regex::ECMAScript)))
            << c.command << "\n"
            << result.output;
    }
}

}  // namespace
