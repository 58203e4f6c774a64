#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "e2e/simulated_bus.h"

// qm720-cli as a program of its own on the simulated bus, for what only a process shows: how it
// ends on a signal, and that the pseudo-terminal is usable after it.
namespace qm720 {
namespace {

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

Child start_cli(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), QM720_CLI_PROGRAM);
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
                      Stop{"InterruptedWatch", SIGINT, {"watch", "1", "--interval", "0"}, 0}),
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

}  // namespace
}  // namespace qm720
