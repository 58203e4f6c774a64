#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <nlohmann/json.hpp>
#include <sstream>

#include "cli/run.h"
#include "e2e/simulated_bus.h"
#include "protocol/command_line.h"
#include "protocol/crc8.h"

namespace qm720 {
namespace {

// One of each kind: plain, faulty, smoothing, protected by a password and factory-fresh at 0.
const std::vector<std::string> kBus = {
    "--steady",       "--answer-delay", "5",           "--sensor", "1",        "--sensor",
    "2:badcrc",       "--sensor",       "4:wrongaddr", "--sensor", "5:noisy",  "--sensor",
    "7:silent",       "--sensor",       "8:shortmode", "--sensor", "9:mode=8", "--sensor",
    "10:password=55", "--sensor",       "0:serial=0"};

struct Outcome {
    int status = -1;
    std::string out;
    std::string err;
};

// The program as a script starts it, arguments exactly as given.
Outcome run_cli(const std::vector<std::string>& arguments, const std::string& input = "") {
    std::vector<const char*> argv{"qm720-cli"};
    for (const std::string& argument : arguments) {
        argv.push_back(argument.c_str());
    }
    std::istringstream in(input);
    std::ostringstream out;
    std::ostringstream err;
    const int status = cli::run(static_cast<int>(argv.size()), argv.data(), in, out, err);
    return {status, out.str(), err.str()};
}

Outcome cli(std::vector<std::string> arguments, const std::string& input = "") {
    arguments.insert(arguments.begin(), "--json");
    return run_cli(arguments, input);
}

nlohmann::json last_json(const Outcome& outcome) {
    const auto start = outcome.out.rfind('{', outcome.out.size() - 2);
    return nlohmann::json::parse(outcome.out.substr(start == std::string::npos ? 0 : start));
}

// Standard output as the one JSON object it must be; anything else is a failed check and null.
nlohmann::json one_json_object(const Outcome& outcome) {
    const auto end = outcome.out.find('\n');
    EXPECT_EQ(end + 1, outcome.out.size()) << "not exactly one line:\n" << outcome.out;
    nlohmann::json json = nlohmann::json::parse(outcome.out.substr(0, end), nullptr, false);
    EXPECT_TRUE(json.is_object()) << "no JSON object: " << outcome.out;
    return json.is_object() ? json : nlohmann::json();
}

// The UTF-8 lead bytes of the Cyrillic letters.
bool has_cyrillic(const std::string& text) {
    return text.find('\xD0') != std::string::npos || text.find('\xD1') != std::string::npos;
}

// A command that changes the sensor, then the request that shows its new state (given the
// same standard input).
struct Change {
    std::string name;
    std::vector<std::string> command;
    std::string input;
    std::vector<std::string> read_back;
    std::string key;
    nlohmann::json expected;
};

// Named in test lists by their name, not by their bytes.
void PrintTo(const Change& change, std::ostream* out) {
    *out << change.name;
}

class Changes : public ::testing::TestWithParam<Change> {};

TEST_P(Changes, AreConfirmedAndReadBack) {
    test::SimulatedBus bus(kBus);
    ASSERT_TRUE(bus.started());
    const Change& change = GetParam();
    const Outcome done = cli(change.command, change.input);
    ASSERT_EQ(done.status, 0) << done.err;
    EXPECT_EQ(last_json(done)["ok"], true);
    const Outcome read = cli(change.read_back, change.input);
    ASSERT_EQ(read.status, 0) << read.err;
    EXPECT_EQ(last_json(read)[change.key], change.expected);
}

INSTANTIATE_TEST_SUITE_P(
    EveryCommand, Changes,
    ::testing::Values(
        Change{"CalibrateEmpty", {"calibrate", "1", "empty"}, "", {"read", "1"}, "empty", 145208},
        Change{"SetModeKeepsOtherBits",
               {"set-mode", "9", "--output", "periodic-rs485", "--range", "4096"},
               "",
               {"read", "9"},
               "mode",
               0x98},
        Change{"ProvisionAtFactoryAddress",
               {"provision", "--from", "0", "--address", "20", "--serial", "4242"},
               "",
               {"identity", "20"},
               "serial",
               4242}),
    [](const auto& info) { return info.param.name; });

// The sensor acts on the shift, but its confirmation comes after the CLI has stopped waiting.
TEST(Changes, ALostConfirmationExitsOneForTheChangeMayHaveTakenEffect) {
    test::SimulatedBus bus({"--steady", "--answer-delay", "700", "--sensor", "1"});
    ASSERT_TRUE(bus.started());
    const auto full_level = [] {
        const Outcome read = cli({"--timeout", "2000", "read", "1"});
        EXPECT_EQ(read.status, 0) << read.err;
        return read.status == 0 ? last_json(read)["full"].get<long>() : -1;
    };
    const long before = full_level();
    const Outcome shifted = cli({"shift", "1", "full", "10"});
    EXPECT_EQ(shifted.status, 1) << shifted.err;
    EXPECT_NE(shifted.err.find("may have taken effect"), std::string::npos) << shifted.err;
    EXPECT_EQ(full_level(), before + 10) << "the sensor did not shift";
}

// Noise before the reply holds the reply prefix, and before the confirmation a whole frame
// nobody asked for (a confirmation of the other level's shift).
TEST(Noise, HidesNeitherAnAnswerNorAConfirmation) {
    const std::string unasked = two_digit_hex(with_crc({0x3E, 0x01, 0xF9}));
    test::SimulatedBus bus(
        {"--steady", "--sensor", "1", "--noise", "3E A5 3E:1", "--noise", unasked + ":2"});
    ASSERT_TRUE(bus.started());
    const Outcome read = cli({"--retries", "0", "read", "1"});
    EXPECT_EQ(read.status, 0) << read.err;
    const Outcome shifted = cli({"shift", "1", "full", "10"});
    EXPECT_EQ(shifted.status, 0) << shifted.err;
}

// A command that must fail with its exit status and say why in English.
struct Refusal {
    std::string name;
    std::vector<std::string> command;
    std::string input;
    int status;
};

void PrintTo(const Refusal& refusal, std::ostream* out) {
    *out << refusal.name;
}

class Refusals : public ::testing::TestWithParam<Refusal> {};

TEST_P(Refusals, EndWithTheirStatusAndAnEnglishError) {
    test::SimulatedBus bus(kBus);
    ASSERT_TRUE(bus.started());
    const Refusal& refusal = GetParam();
    std::vector<std::string> command = {"--retries", "1", "--timeout", "100"};
    command.insert(command.end(), refusal.command.begin(), refusal.command.end());
    const Outcome outcome = cli(command, refusal.input);
    EXPECT_EQ(outcome.status, refusal.status);
    EXPECT_FALSE(outcome.err.empty());
    EXPECT_FALSE(has_cyrillic(outcome.err)) << outcome.err;
    EXPECT_EQ(last_json(outcome)["ok"], false);
}

INSTANTIATE_TEST_SUITE_P(
    EveryFailure, Refusals,
    ::testing::Values(Refusal{"WrongPassword", {"password", "10", "enter"}, "54", 1},
                      Refusal{"CalibrateWhileSmoothing", {"calibrate", "9", "full"}, "", 1},
                      Refusal{"MissingPort", {"--port", "COM9", "read", "1"}, "", 3},
                      Refusal{"SilentSensor", {"read", "7"}, "", 4},
                      Refusal{"BadCrc", {"read", "2"}, "", 4},
                      Refusal{"WrongAddress", {"read", "4"}, "", 4}),
    [](const auto& info) { return info.param.name; });

// Holds the bus's COM1 as another program would, for as long as it lives.
class PortHeldElsewhere {
  public:
    PortHeldElsewhere()
        : fd_(::open((std::string(std::getenv("QM720_PORTS")) + "/COM1").c_str(),
                     O_RDWR | O_NOCTTY | O_NONBLOCK)) {}
    ~PortHeldElsewhere() { ::close(fd_); }
    bool held() const { return fd_ >= 0 && ::flock(fd_, LOCK_EX | LOCK_NB) == 0; }

  private:
    int fd_;
};

// COM1, the port these commands would use, is held meanwhile: a command that opened it would
// end with status 3 (port) instead.
class CommandLinesRefused : public ::testing::TestWithParam<Refusal> {};

TEST_P(CommandLinesRefused, BeforeAnythingIsOpenedWithOneJsonObject) {
    test::SimulatedBus bus(kBus);
    ASSERT_TRUE(bus.started());
    const PortHeldElsewhere other_program;
    ASSERT_TRUE(other_program.held());
    const Refusal& refusal = GetParam();
    const Outcome outcome = cli(refusal.command, refusal.input);
    EXPECT_EQ(outcome.status, refusal.status) << outcome.err;
    EXPECT_FALSE(has_cyrillic(outcome.err)) << outcome.err;
    EXPECT_EQ(one_json_object(outcome).value("ok", true), false);
}

INSTANTIATE_TEST_SUITE_P(
    EveryKindOfValue, CommandLinesRefused,
    ::testing::Values(
        Refusal{"AddressBeyond255", {"read", "300"}, "", 2},
        Refusal{"ShiftBeyond1000", {"shift", "1", "full", "2000"}, "", 2},
        Refusal{"NegativeSerial", {"set-serial", "1", "-5"}, "", 2},
        Refusal{"NewAddressBeyond255",
                {"provision", "--from", "0", "--address", "999", "--serial", "1"},
                "",
                2},
        Refusal{"PasswordNotANumber", {"password", "10", "enter"}, "secret", 2},
        Refusal{"LineForNonRemoteAddress", {"line", "mode", "200"}, "", 2},
        Refusal{"LineModeOutsideRs485", {"line", "mode", "3", "--output", "analog"}, "", 2},
        Refusal{"UnknownOption", {"read", "1", "--bogus"}, "", 2},
        Refusal{"PortValueMissing", {"--port"}, "", 2},
        Refusal{"AddressNotUtf8", {"read", "\xff"}, "", 2},
        Refusal{"ListenWithoutPort", {"serve", "--listen", "127.0.0.1"}, "", 2},
        Refusal{"ServeAddressBeyond255", {"serve", "5", "256"}, "", 2},
        // Valid arguments: the serial port is the one refusal.
        Refusal{"ServeOnAHeldPort", {"serve", "--listen", "127.0.0.1:18736"}, "", 3},
        Refusal{"LevelNotUtf8", {"shift", "1", "full\xfe", "5"}, "", 2},
        // Valid arguments: the port is the one refusal.
        Refusal{"PortNameNotUtf8", {"--port", "COM\xff", "read", "1"}, "", 3}),
    [](const auto& info) { return info.param.name; });

TEST(CommandLinesRefused, QuoteAnOverLongArgumentCutShort) {
    const std::string huge(10'000, '7');
    for (const auto& arguments :
         {std::vector<std::string>{"read", huge}, std::vector<std::string>{"read", "1", huge}}) {
        const Outcome outcome = run_cli(arguments);
        EXPECT_EQ(outcome.status, 2) << arguments.size() << " arguments";
        EXPECT_NE(outcome.err.find(huge.substr(0, 20)), std::string::npos) << outcome.err;
        EXPECT_LT(outcome.err.size(), 300U) << outcome.err.substr(0, 300);
    }
}

TEST(Version, IsPrintedWithStatusZero) {
    const Outcome outcome = run_cli({"--version"});
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(outcome.out, "qm720-cli " QM720_VERSION "\n");
}

TEST(Versions, ReadAsScriptsCompareThem) {
    test::SimulatedBus bus({"--steady", "--sensor", "5:version=131", "--sensor", "6:version=42",
                            "--sensor", "7:version=105,prefix=2", "--sensor", "0"});
    ASSERT_TRUE(bus.started());
    const struct {
        std::vector<std::string> command;
        std::string version;
    } cases[] = {
        {{"identity", "5"}, "1.3.1"},
        {{"identity", "6"}, "4.2"},
        {{"identity", "7"}, "21.0.5"},
        {{"provision", "--from", "0", "--address", "20", "--serial", "4242"}, "1.6.3"},
    };
    for (const auto& c : cases) {
        const Outcome outcome = cli(c.command);
        ASSERT_EQ(outcome.status, 0) << c.command[0] << ": " << outcome.err;
        EXPECT_EQ(last_json(outcome)["version"], c.version) << c.command[0];
    }
}

TEST(Lines, AreTheWindowsGeneratedLines) {
    EXPECT_EQ(cli({"line", "shift", "full", "3", "-20"}).out,
              "{\"line\":\"S485=6:8:150:19200:3103F4FFEC19\",\"ok\":true}\n");
    EXPECT_EQ(last_json(cli({"line", "mode", "3", "--smoothing", "on"}))["line"],
              "S485=5:5:150:19200:3103F208E9");
}

TEST(Watch, GivesOneObjectPerMeasurementThroughLineNoise) {
    test::SimulatedBus bus(kBus);
    ASSERT_TRUE(bus.started());
    const Outcome watched = cli({"watch", "5", "--count", "2", "--interval", "0"});
    ASSERT_EQ(watched.status, 0) << watched.err;
    std::istringstream lines(watched.out);
    int count = 0;
    for (std::string line; std::getline(lines, line); ++count) {
        const auto json = nlohmann::json::parse(line);
        EXPECT_EQ(json["address"], 5);
        EXPECT_EQ(json["time"].get<std::string>().size(), 19U);
    }
    EXPECT_EQ(count, 2);
}

// Noise before the scan answer, and sensors that answer the scan but never a poll intact and
// from their own address (2 badcrc, 4 wrongaddr).
std::vector<std::string> noisy_scan_bus() {
    std::vector<std::string> bus = kBus;
    bus.insert(bus.end(), {"--burst", "6:1"});
    return bus;
}

TEST(Scan, ListsOnlyAddressesAPollConfirms) {
    test::SimulatedBus bus(noisy_scan_bus());
    ASSERT_TRUE(bus.started());
    const Outcome outcome = cli({"--retries", "0", "--timeout", "100", "scan"});
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    const nlohmann::json json = last_json(outcome);
    EXPECT_EQ(json.value("addresses", nlohmann::json()),
              nlohmann::json::array({0, 1, 5, 8, 9, 10}));
    const auto unconfirmed = json.value("unconfirmed", std::vector<int>());
    for (const int address : {2, 4}) {
        EXPECT_NE(std::find(unconfirmed.begin(), unconfirmed.end(), address), unconfirmed.end())
            << address << " is not among the unconfirmed";
        EXPECT_NE(outcome.err.find(" " + std::to_string(address)), std::string::npos)
            << outcome.err;
    }
}

TEST(Scan, WithoutVerificationListsTheAnswerAsItCame) {
    test::SimulatedBus bus(noisy_scan_bus());
    ASSERT_TRUE(bus.started());
    const auto addresses = last_json(cli({"scan", "--no-verify"}))["addresses"];
    for (const int address : {0, 1, 2, 4, 5, 8, 9, 10}) {
        EXPECT_TRUE(std::find(addresses.begin(), addresses.end(), address) != addresses.end())
            << address << " missing from " << addresses;
    }
}

TEST(Scan, NobodyConfirmingIsNoValidAnswer) {
    for (const auto& sensor : {"7:silent", "7:garbage"}) {
        test::SimulatedBus bus({"--sensor", sensor});
        ASSERT_TRUE(bus.started());
        const Outcome outcome = cli({"--retries", "0", "--timeout", "100", "scan"});
        EXPECT_EQ(outcome.status, 4) << sensor;
        EXPECT_EQ(last_json(outcome)["ok"], false) << sensor;
    }
}

}  // namespace
}  // namespace qm720
