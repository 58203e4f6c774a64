#include "simulated_bus.h"

#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>

extern char** environ;

namespace qm720::test {

namespace {

constexpr int kStartTimeoutMs = 5000;

// The first line the program prints: the path of its terminal.
std::string read_first_line(int fd) {
    std::string line;
    pollfd wait{fd, POLLIN, 0};
    char c = 0;
    while (::poll(&wait, 1, kStartTimeoutMs) > 0 && ::read(fd, &c, 1) == 1 && c != '\n') {
        line += c;
    }
    return line;
}

}  // namespace

SimulatedBus::SimulatedBus(const std::vector<std::string>& options) {
    std::vector<std::string> arguments{QM720_SIM_PROGRAM, "--link",
                                       (ports_.path() / "COM1").string()};
    arguments.insert(arguments.end(), options.begin(), options.end());
    std::vector<char*> argv;
    for (std::string& argument : arguments) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);

    int out[2];
    if (::pipe(out) != 0) {
        return;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    const int spawned = posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(out[1]);
    if (spawned != 0) {
        pid_ = -1;
        ::close(out[0]);
        return;
    }
    terminal_ = read_first_line(out[0]);
    ::close(out[0]);

    if (const char* previous = std::getenv("QM720_PORTS")) {
        previous_ports_ = previous;
    }
    ::setenv("QM720_PORTS", ports_.string().c_str(), 1);
}

SimulatedBus::~SimulatedBus() {
    if (previous_ports_) {
        ::setenv("QM720_PORTS", previous_ports_->c_str(), 1);
    } else {
        ::unsetenv("QM720_PORTS");
    }
    if (pid_ > 0) {
        ::kill(pid_, SIGTERM);
        int status = 0;
        ::waitpid(pid_, &status, 0);
    }
}

}  // namespace qm720::test
