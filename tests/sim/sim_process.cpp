#include "sim_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <thread>

namespace qm720::test {

namespace {

int milliseconds_left(Clock::time_point deadline) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left > 0 ? static_cast<int>(left) : 0;
}

}  // namespace

SimProcess::SimProcess(const std::vector<std::string>& arguments) {
    int pipe_ends[2];
    if (pipe(pipe_ends) != 0) {
        return;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipe_ends[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipe_ends[0]);

    std::vector<std::string> words{QM720_SIM_PROGRAM};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words) {
        argv.push_back(word.data());
    }
    argv.push_back(nullptr);
    if (posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ) != 0) {
        pid_ = -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    close(pipe_ends[1]);
    stdout_ = pipe_ends[0];
}

SimProcess::~SimProcess() {
    if (pid_ > 0 && !reaped_) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
    if (stdout_ >= 0) {
        close(stdout_);
    }
}

std::string SimProcess::first_line() {
    std::string line;
    const Clock::time_point deadline = Clock::now() + kHangBound;
    pollfd watched{stdout_, POLLIN, 0};
    while (poll(&watched, 1, milliseconds_left(deadline)) > 0) {
        char c = 0;
        if (read(stdout_, &c, 1) != 1 || c == '\n') {
            return line;
        }
        line += c;
    }
    return {};
}

void SimProcess::send_signal(int signal) const {
    if (pid_ > 0 && !reaped_) {
        kill(pid_, signal);
    }
}

int SimProcess::wait_for_exit() {
    const Clock::time_point deadline = Clock::now() + kHangBound;
    while (pid_ > 0 && !reaped_ && Clock::now() < deadline) {
        int status = 0;
        if (waitpid(pid_, &status, WNOHANG) == pid_) {
            reaped_ = true;
            return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return -1;
}

TestPort::TestPort(const std::string& path)
    : fd_(open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC)) {
    termios settings{};
    if (fd_ < 0 || tcgetattr(fd_, &settings) != 0) {
        return;
    }
    cfmakeraw(&settings);
    settings.c_cflag |= CS8 | CLOCAL | CREAD;
    cfsetispeed(&settings, B19200);
    cfsetospeed(&settings, B19200);
    tcsetattr(fd_, TCSANOW, &settings);
    tcflush(fd_, TCIOFLUSH);
}

TestPort::~TestPort() {
    if (fd_ >= 0) {
        close(fd_);
    }
}

long TestPort::write_bytes(const Bytes& bytes) const {
    return write(fd_, bytes.data(), bytes.size());
}

Bytes TestPort::read_bytes(std::size_t count) const {
    Bytes received;
    const Clock::time_point deadline = Clock::now() + kHangBound;
    pollfd watched{fd_, POLLIN, 0};
    while (received.size() < count && poll(&watched, 1, milliseconds_left(deadline)) > 0) {
        std::uint8_t buffer[64];
        const ssize_t got = read(fd_, buffer, std::min(sizeof buffer, count - received.size()));
        if (got <= 0) {
            break;
        }
        received.insert(received.end(), buffer, buffer + got);
    }
    return received;
}

bool TestPort::hangs_up() const {
    // A hang-up is reported even when no event is asked for.
    pollfd watched{fd_, 0, 0};
    const int bound_ms =
        static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(kHangBound).count());
    return poll(&watched, 1, bound_ms) > 0 && (watched.revents & (POLLHUP | POLLERR)) != 0;
}

}  // namespace qm720::test
