#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <httplib.h>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "e2e/simulated_bus.h"
#include "support/temp_folder.h"

// qm720-cli as a program of its own on the simulated bus, for what only a process shows: how it
// ends on a signal, and that the pseudo-terminal is usable after it.
namespace qm720 {
namespace {

using namespace std::chrono_literals;

std::string bus_port() {
    return std::string(std::getenv("QM720_PORTS")) + "/COM1";
}

// Whether a program has `path` for itself (TIOCEXCL): root opens it anyway and asks, anyone
// else is refused as busy.
bool held_exclusively(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) {
        return errno == EBUSY;
    }
    int exclusive = 0;
    const bool asked = ::ioctl(fd, TIOCGEXCL, &exclusive) == 0;
    ::close(fd);
    return asked && exclusive != 0;
}

struct Child {
    pid_t pid = -1;
    int out = -1;  // the read end of its standard output
};

// Waits until qm720-cli holds the port (true) or has ended without (false); ctest's time-out
// ends a wait that neither ends.
bool held_while_running(const std::string& path, const Child& child) {
    while (!held_exclusively(path)) {
        if (::waitpid(child.pid, nullptr, WNOHANG) == child.pid) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

// `arguments[0]` is the program's path.
Child start_program(std::vector<std::string> arguments) {
    std::vector<char*> argv;
    for (std::string& argument : arguments) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);
    int out[2];
    if (::pipe(out) != 0) {
        return {};
    }
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(out[1], STDOUT_FILENO);
        const int null = ::open("/dev/null", O_WRONLY);
        ::dup2(null, STDERR_FILENO);
        ::close(out[0]);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    ::close(out[1]);
    return {pid, out[0]};
}

Child start_cli(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), QM720_CLI_PROGRAM);
    return start_program(std::move(arguments));
}

// All a child wrote to its standard output until it closed it.
std::string all_output(const Child& child) {
    std::string text;
    char buffer[512];
    for (ssize_t count; (count = ::read(child.out, buffer, sizeof buffer)) > 0;) {
        text.append(buffer, static_cast<std::size_t>(count));
    }
    return text;
}

// The exit status, or -1 when the child did not exit by itself (a signal killed it).
int exit_status(const Child& child) {
    int status = 0;
    ::waitpid(child.pid, &status, 0);
    ::close(child.out);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

const std::vector<std::string> kBus = {"--steady", "--sensor", "1", "--sensor", "7:silent"};

struct Stop {
    const char* name;
    int signal_number;
    std::vector<std::string> command;
    int status;
};

void PrintTo(const Stop& stop, std::ostream* out) {
    *out << stop.name;
}

class StopSignals : public ::testing::TestWithParam<Stop> {};

TEST_P(StopSignals, EndTheRunThroughThePortsClose) {
    test::SimulatedBus bus(kBus);
    ASSERT_TRUE(bus.started());
    const Stop& stop = GetParam();
    const Child cli = start_cli(stop.command);
    ASSERT_GT(cli.pid, 0);
    ASSERT_TRUE(held_while_running(bus_port(), cli)) << "qm720-cli ended before it held the port";
    ::kill(cli.pid, stop.signal_number);
    EXPECT_EQ(exit_status(cli), stop.status);
    EXPECT_FALSE(held_exclusively(bus_port())) << "the port stayed locked";
}

INSTANTIATE_TEST_SUITE_P(
    WhileWaiting, StopSignals,
    ::testing::Values(Stop{"InterruptedRead", SIGINT, {"--timeout", "60000", "read", "7"}, 130},
                      Stop{"TerminatedRead", SIGTERM, {"--timeout", "60000", "read", "7"}, 143},
                      Stop{"HungUpRead", SIGHUP, {"--timeout", "60000", "read", "7"}, 129},
                      // Watching until interrupted is what watch is for.
                      Stop{"InterruptedWatch", SIGINT, {"watch", "1", "--interval", "0"}, 0},
                      // So is serving until stopped.
                      Stop{"TerminatedServe", SIGTERM, {"serve", "--listen", "127.0.0.1:18731"}, 0},
                      Stop{
                          "InterruptedServe", SIGINT, {"serve", "--listen", "127.0.0.1:18732"}, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(StopSignals, AClosedPipeEndsWatchThroughThePortsClose) {
    test::SimulatedBus bus(kBus);
    ASSERT_TRUE(bus.started());
    const Child cli = start_cli({"watch", "1", "--interval", "0"});
    ASSERT_GT(cli.pid, 0);
    char c = 0;
    while (::read(cli.out, &c, 1) == 1 && c != '\n') {
    }
    ::close(cli.out);
    int status = 0;
    ::waitpid(cli.pid, &status, 0);
    ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), 128 + SIGPIPE);
    EXPECT_FALSE(held_exclusively(bus_port())) << "the port stayed locked";
}

// The listening address is taken before the serial port: the second exporter fails on it, and
// says so, even with a port of its own.
TEST(Serve, ASecondExporterOnTheSameListeningAddressExitsThree) {
    test::SimulatedBus bus(kBus);
    ASSERT_TRUE(bus.started());
    const Child first = start_cli({"serve", "--listen", "127.0.0.1:18733"});
    ASSERT_TRUE(held_while_running(bus_port(), first));
    const Child second =
        start_cli({"--json", "--port", "/dev/null", "serve", "--listen", "127.0.0.1:18733"});
    const std::string said = all_output(second);
    EXPECT_EQ(exit_status(second), 3);
    EXPECT_NE(said.find("cannot listen on 127.0.0.1:18733"), std::string::npos) << said;
    ::kill(first.pid, SIGTERM);
    EXPECT_EQ(exit_status(first), 0);
}

// The simulator closes its line as an unplugged adapter would; another comes up under the same
// name, and the exporter, still serving, finds it.
TEST(Serve, AnAdapterPluggedBackInIsFoundAgain) {
    test::SimulatedBus unplugged({"--steady", "--sensor", "1", "--close-after", "4"});
    ASSERT_TRUE(unplugged.started());
    const Child exporter =
        start_cli({"serve", "--listen", "127.0.0.1:18737", "--interval", "50", "1"});
    ASSERT_TRUE(held_while_running(bus_port(), exporter));
    while (::access(bus_port().c_str(), F_OK) == 0) {
        std::this_thread::sleep_for(10ms);  // the simulator removes its link as it closes
    }
    const Child plugged_in = start_program(
        {QM720_SIM_PROGRAM, "--link", bus_port(), "--steady", "--sensor", "1:level=700"});
    httplib::Client http("127.0.0.1", 18737);
    bool level_seen = false;
    for (int tries = 0; !level_seen && tries < 100; ++tries) {
        std::this_thread::sleep_for(100ms);
        const auto response = http.Get("/metrics");
        level_seen = response &&
                     response->body.find("qm720_level{address=\"1\"} 700\n") != std::string::npos;
    }
    ::kill(exporter.pid, SIGTERM);
    EXPECT_EQ(exit_status(exporter), 0);
    ::kill(plugged_in.pid, SIGTERM);
    exit_status(plugged_in);
    EXPECT_TRUE(level_seen) << "the exporter never read the adapter plugged back in";
}

// What Prometheus' query API holds for `query`: the value of its one sample, or none yet.
std::optional<std::string> queried_value(httplib::Client& prometheus, const std::string& query) {
    const auto response =
        prometheus.Get("/api/v1/query", httplib::Params{{"query", query}}, httplib::Headers{});
    if (!response || response->status != 200) {
        return std::nullopt;
    }
    const auto json = nlohmann::json::parse(response->body, nullptr, false);
    if (!json.is_object() || json["data"]["result"].size() != 1) {
        return std::nullopt;
    }
    return json["data"]["result"][0]["value"][1].get<std::string>();
}

// The exporter as a plant runs it: Debian's own Prometheus scrapes it, and its query API answers
// with the simulated sensor's readings (sensor 1: level 512, 22 °C).
TEST(Serve, PrometheusScrapesTheSensorsReadings) {
    test::SimulatedBus bus(kBus);
    ASSERT_TRUE(bus.started());
    const Child exporter = start_cli({"serve", "--listen", "127.0.0.1:18734", "1"});
    test::TempFolder folder;
    const std::string config = folder.string() + "/prometheus.yml";
    std::ofstream(config) << "global:\n  scrape_interval: 1s\nscrape_configs:\n"
                             "  - job_name: qm720\n    static_configs:\n"
                             "      - targets: ['127.0.0.1:18734']\n";
    const Child prometheus = start_program({"/usr/bin/prometheus", "--config.file=" + config,
                                            "--storage.tsdb.path=" + folder.string() + "/data",
                                            "--web.listen-address=127.0.0.1:18735"});
    ASSERT_GT(prometheus.pid, 0);
    httplib::Client api("127.0.0.1", 18735);
    api.set_connection_timeout(1s);
    api.set_read_timeout(2s);
    std::optional<std::string> level;
    for (int tries = 0; !level && tries < 120; ++tries) {
        std::this_thread::sleep_for(250ms);
        level = queried_value(api, "qm720_level{address=\"1\"}");
    }
    const auto temperature = queried_value(api, "qm720_temperature_celsius{address=\"1\"}");
    ::kill(prometheus.pid, SIGTERM);
    exit_status(prometheus);
    ::kill(exporter.pid, SIGTERM);
    EXPECT_EQ(exit_status(exporter), 0);
    EXPECT_EQ(level, "512");
    EXPECT_EQ(temperature, "22");
}

}  // namespace
}  // namespace qm720
