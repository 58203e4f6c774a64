#include "simulated_bus.h"

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>

namespace qm720::test {

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
    if ((pid_ = ::fork()) == 0) {
        ::dup2(out[1], STDOUT_FILENO);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    ::close(out[1]);
    // The program prints its terminal's path once the link is in place.
    pollfd wait{out[0], POLLIN, 0};
    char c = 0;
    while (pid_ > 0 && ::poll(&wait, 1, 5000) > 0 && ::read(out[0], &c, 1) == 1 && c != '\n') {
        started_ = true;
    }
    ::close(out[0]);
    ::setenv("QM720_PORTS", ports_.string().c_str(), 1);
}

SimulatedBus::~SimulatedBus() {
    ::unsetenv("QM720_PORTS");
    if (pid_ > 0) {
        ::kill(pid_, SIGTERM);
        ::waitpid(pid_, nullptr, 0);
    }
}

}  // namespace qm720::test
