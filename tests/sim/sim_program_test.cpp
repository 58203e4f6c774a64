#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>

#include "protocol/reply_frame.h"
#include "protocol/requests.h"
#include "sim/sensor_bus.h"

namespace qm720::test {
namespace {

namespace fs = std::filesystem;

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

    bool link_exists() const { return fs::is_symlink(fs::symlink_status(link_)); }

    // Each case runs in a process of its own, so the process number keeps the folders apart.
    const fs::path link_ =
        fs::temp_directory_path() / ("qm720-sim-test-" + std::to_string(getpid())) / "COM1";
    pid_t pid_ = -1;
};

TEST_F(SimProgram, ReplacesAStaleLinkAndRemovesItOnSigterm) {
    fs::create_symlink("/dev/pts/left-by-an-earlier-run", link_);
    const std::string terminal = start({});
    ASSERT_FALSE(terminal.empty());
    EXPECT_EQ(fs::read_symlink(link_), terminal);
    kill(pid_, SIGTERM);
    EXPECT_EQ(exit_status(), 0);
    EXPECT_FALSE(link_exists());
}

TEST_F(SimProgram, LastAnswerArrivesWholeBeforeCloseAfterHangsUp) {
    ASSERT_FALSE(start({"--close-after", "1", "--gap", "40"}).empty());
    const int port = open(link_.c_str(), O_RDWR | O_NOCTTY);  // the program made the line raw
    const Bytes request = poll_request(17);
    ASSERT_EQ(write(port, request.data(), request.size()), 4);
    const Bytes reply = take(port, 22);
    EXPECT_TRUE(reply.size() == 22 && reply_intact(reply)) << reply.size() << " bytes";
    close(port);
    EXPECT_EQ(exit_status(), 0);
    EXPECT_FALSE(link_exists());
}

// Around the burst, the answers are exactly those of the program's bus (seed 1) in order.
TEST_F(SimProgram, BurstComesOnceRightBeforeTheAnswerToItsRequest) {
    const struct {
        std::size_t length;
        std::size_t before_request;
        std::vector<Bytes> requests;
    } cases[] = {
        // Long enough that a 0x3E would turn up by chance if it were allowed.
        {2000, 2, {poll_request(1), poll_request(5), identity_request(17)}},
        {7, 1, {poll_request(9), poll_request(1)}},  // nobody at 9, yet the burst comes
    };
    for (const auto& c : cases) {
        sim::SensorBus bus(sim::default_bus(), {});
        Bytes requests, answers;
        std::size_t burst_start = 0;
        for (std::size_t k = 0; k < c.requests.size(); ++k) {
            if (k + 1 == c.before_request) {
                burst_start = answers.size();
            }
            const Bytes answer = bus.answer(c.requests[k]);
            requests.insert(requests.end(), c.requests[k].begin(), c.requests[k].end());
            answers.insert(answers.end(), answer.begin(), answer.end());
        }
        const std::string burst = std::to_string(c.length) + ":" + std::to_string(c.before_request);
        const std::string count = std::to_string(c.requests.size());
        ASSERT_FALSE(start({"--burst", burst.c_str(), "--close-after", count.c_str()}).empty());
        const int port = open(link_.c_str(), O_RDWR | O_NOCTTY);
        ASSERT_EQ(write(port, requests.data(), requests.size()),
                  static_cast<ssize_t>(requests.size()));
        Bytes got = take(port, answers.size() + c.length + 1);  // the hang-up ends it
        close(port);
        EXPECT_EQ(exit_status(), 0);
        ASSERT_EQ(got.size(), answers.size() + c.length) << burst;
        const auto noise = got.begin() + static_cast<std::ptrdiff_t>(burst_start);
        const auto noise_end = noise + static_cast<std::ptrdiff_t>(c.length);
        EXPECT_EQ(std::count(noise, noise_end, kReplyPrefix), 0) << burst;
        got.erase(noise, noise_end);
        EXPECT_EQ(got, answers) << burst;
    }
}

}  // namespace
}  // namespace qm720::test
