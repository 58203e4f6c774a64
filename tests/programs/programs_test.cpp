#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <regex>
#include <string>
#include <utility>

// The programs' command lines: what they print and the status they end with, with no window.
namespace {

// The exit status and the text of `command`, its standard error joined to its output.
std::pair<int, std::string> run(const std::string& command) {
    std::string output;
    FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    for (int c = 0; pipe != nullptr && (c = std::fgetc(pipe)) != EOF;) {
        output += static_cast<char>(c);
    }
    const int status = pipe != nullptr ? pclose(pipe) : -1;
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, output};
}

// `text` matching itself in a regular expression.
std::string literally(const std::string& text) {
    return std::regex_replace(text, std::regex(R"([.^$|()\[\]{}*+?\\])"), R"(\$&)");
}

TEST(Programs, EachCommandLineEndsWithItsStatusAndText) {
    const std::string qm720 = QM720_PROGRAM;
    const std::string version = QM720_VERSION;
    const std::string bin = qm720.substr(0, qm720.rfind('/'));
    const struct {
        std::string command;
        int status;
        std::string output;  // a regular expression over the whole output
    } cases[] = {
        {"env -u DISPLAY " + qm720 + " --version", 0, "qm720 " + version + "\n"},
        // A build tree keeps its log beside the program.
        {"env -u DISPLAY " + qm720 + " --help", 0,
         "[^]*QM720_PORTS[^]*/dev/ttyUSB[^]*Log: one file per start, " + literally(bin) +
             "/log/[^]*"},
        {qm720 + " -style fusion --bogus", 2, "Usage: qm720[^]*"},
        // Qt's options reach Qt: here its own refusal of the platform, with no display asked for.
        {"env -u DISPLAY -u QT_QPA_PLATFORM " + qm720 + " -platform nosuch -style fusion -reverse",
         1, "qm720: cannot open the window: [^\n]*\"nosuch\"[^\n]*\n"},
        // One line, not Qt's abort.
        {"env -u QT_QPA_PLATFORM DISPLAY=:199 " + qm720, 1, "qm720: [^\n]*\n"},
        {std::string(QM720_SIM_PROGRAM) + " --version", 0, "qm720-sim " + version + "\n"},
    };
    for (const auto& c : cases) {
        const auto [status, output] = run(c.command);
        EXPECT_EQ(status, c.status) << c.command << "\n" << output;
        EXPECT_TRUE(std::regex_match(output, std::regex(c.output))) << c.command << "\n" << output;
    }
}

}  // namespace
