#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>

#include "cli/run.h"
#include "e2e/simulated_bus.h"

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

Outcome cli(std::vector<std::string> arguments, const std::string& input = "") {
    arguments.insert(arguments.begin(), {"qm720-cli", "--json"});
    std::vector<const char*> argv;
    for (const std::string& argument : arguments) {
        argv.push_back(argument.c_str());
    }
    std::istringstream in(input);
    std::ostringstream out;
    std::ostringstream err;
    const int status = cli::run(static_cast<int>(argv.size()), argv.data(), in, out, err);
    return {status, out.str(), err.str()};
}

nlohmann::json last_json(const Outcome& outcome) {
    const auto start = outcome.out.rfind('{', outcome.out.size() - 2);
    return nlohmann::json::parse(outcome.out.substr(start == std::string::npos ? 0 : start));
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

// A command that must fail with its exit status.
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

TEST_P(Refusals, EndWithTheirStatusAndAnError) {
    test::SimulatedBus bus(kBus);
    ASSERT_TRUE(bus.started());
    const Refusal& refusal = GetParam();
    std::vector<std::string> command = {"--retries", "1", "--timeout", "100"};
    command.insert(command.end(), refusal.command.begin(), refusal.command.end());
    const Outcome outcome = cli(command, refusal.input);
    EXPECT_EQ(outcome.status, refusal.status);
    EXPECT_FALSE(outcome.err.empty());
    EXPECT_EQ(last_json(outcome)["ok"], false);
}

INSTANTIATE_TEST_SUITE_P(
    EveryFailure, Refusals,
    ::testing::Values(Refusal{"WrongPassword", {"password", "10", "enter"}, "54", 1},
                      Refusal{"CalibrateWhileSmoothing", {"calibrate", "9", "full"}, "", 1},
                      Refusal{"LineForNonRemoteAddress", {"line", "mode", "200"}, "", 2},
                      Refusal{"MissingPort", {"--port", "COM9", "read", "1"}, "", 3},
                      Refusal{"SilentSensor", {"read", "7"}, "", 4},
                      Refusal{"BadCrc", {"read", "2"}, "", 4},
                      Refusal{"WrongAddress", {"read", "4"}, "", 4}),
    [](const auto& info) { return info.param.name; });

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

TEST(Scan, ListsTheAnsweringAddressesAscending) {
    test::SimulatedBus bus(kBus);
    ASSERT_TRUE(bus.started());
    EXPECT_EQ(last_json(cli({"scan"}))["addresses"],
              nlohmann::json::array({0, 1, 2, 4, 5, 8, 9, 10}));
}

TEST(Scan, NobodyAnsweringIsNoValidAnswer) {
    test::SimulatedBus bus({"--sensor", "7:silent"});
    ASSERT_TRUE(bus.started());
    EXPECT_EQ(cli({"--retries", "0", "scan"}).status, 4);
}

}  // namespace
}  // namespace qm720
