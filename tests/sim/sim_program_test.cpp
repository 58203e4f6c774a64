#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <thread>

#include "protocol/reply_frame.h"
#include "protocol/requests.h"
#include "sim/sensor_bus.h"

namespace qm720::test {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

constexpr int kHangBoundMs = 10'000;  // only catches a hang; nothing here measures speed

bool readable(int fd) {
    pollfd watched{fd, POLLIN, 0};
    return poll(&watched, 1, kHangBoundMs) > 0 && (watched.revents & POLLIN) != 0;
}

// Up to `most` bytes from `fd`, stopping before `end`; fewer if it stays quiet to the bound.
Bytes take(int fd, std::size_t most, int end = -1) {
    Bytes got;
    std::uint8_t byte = 0;
    while (got.size() < most && readable(fd) && read(fd, &byte, 1) == 1 && byte != end) {
        got.push_back(byte);
    }
    return got;
}

// qm720-sim with --link to COM1 in a folder of its own; killed and reaped whatever happens.
class SimProgram : public ::testing::Test {
  protected:
    void SetUp() override { fs::create_directory(link_.parent_path()); }
    void TearDown() override {
        if (pid_ > 0) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
        fs::remove_all(link_.parent_path());
    }

    // Starts the program; returns the terminal path it prints first, empty if none came.
    std::string start(std::vector<const char*> arguments) {
        arguments.insert(arguments.begin(), {QM720_SIM_PROGRAM, "--link", link_.c_str()});
        arguments.push_back(nullptr);
        int out[2];
        EXPECT_EQ(pipe(out), 0);
        if ((pid_ = fork()) == 0) {
            dup2(out[1], STDOUT_FILENO);
            execv(arguments[0], const_cast<char* const*>(arguments.data()));
            _exit(127);
        }
        close(out[1]);
        const Bytes line = take(out[0], 4096, '\n');
        close(out[0]);
        return std::string(line.begin(), line.end());
    }

    // The exit status; -1 if killed by a signal or still running at the hang bound.
    int exit_status() {
        const int process = static_cast<int>(syscall(SYS_pidfd_open, pid_, 0));
        int status = -1;
        if (readable(process) && waitpid(pid_, &status, 0) == pid_) {
            pid_ = -1;
        }
        close(process);
        return pid_ < 0 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    // Each case runs in a process of its own, so the process number keeps the folders apart.
    const fs::path link_ =
        fs::temp_directory_path() / ("qm720-sim-test-" + std::to_string(getpid())) / "COM1";
    pid_t pid_ = -1;
};

// The link left by an earlier run is replaced, and removed when --close-after has hung up. Around
// the burst, the answers are exactly those of the program's bus (seed 1) in order, and the last
// one waits for a reader that comes late; the burst is long enough that a 0x3E would turn up in it
// by chance if it were allowed.
TEST_F(SimProgram, BurstComesOnceBeforeTheAnswerToItsRequestAndTheLastAnswerBeforeTheHangUp) {
    sim::SensorBus bus(sim::default_bus(), {});
    Bytes requests, answers, answer;
    std::size_t burst_start = 0;
    for (const Bytes& request : {poll_request(1), poll_request(9), identity_request(17)}) {
        if (request == poll_request(9)) {
            burst_start = answers.size();
        }
        answer = bus.answer(request);  // none from 9, yet the burst comes
        requests.insert(requests.end(), request.begin(), request.end());
        answers.insert(answers.end(), answer.begin(), answer.end());
    }
    fs::create_symlink("/dev/pts/left-by-an-earlier-run", link_);
    const std::string terminal = start({"--burst", "2000:2", "--close-after", "3", "--gap", "40"});
    ASSERT_FALSE(terminal.empty());
    EXPECT_EQ(fs::read_symlink(link_), terminal);
    const int port = open(link_.c_str(), O_RDWR | O_NOCTTY);  // the program made the line raw
    ASSERT_EQ(write(port, requests.data(), requests.size()), static_cast<ssize_t>(requests.size()));
    Bytes got = take(port, answers.size() + 2000 - answer.size());
    std::this_thread::sleep_for(200ms);  // far longer than the last answer takes to send
    const Bytes last = take(port, answer.size() + 1);  // the hang-up ends it
    got.insert(got.end(), last.begin(), last.end());
    close(port);
    EXPECT_EQ(exit_status(), 0);
    EXPECT_FALSE(fs::is_symlink(fs::symlink_status(link_)));
    ASSERT_EQ(got.size(), answers.size() + 2000);
    const auto noise = got.begin() + static_cast<std::ptrdiff_t>(burst_start);
    EXPECT_EQ(std::count(noise, noise + 2000, kReplyPrefix), 0);
    got.erase(noise, noise + 2000);
    EXPECT_EQ(got, answers);
}

}  // namespace
}  // namespace qm720::test
