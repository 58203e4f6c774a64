#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "hex.h"
#include "protocol/reply_frame.h"
#include "protocol/requests.h"
#include "reply_fields.h"

namespace qm720::test {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// Only catches a hang; nothing here measures speed.
constexpr int kHangBoundMs = 10'000;

bool readable_in_time(int fd) {
    pollfd watched{fd, POLLIN, 0};
    return poll(&watched, 1, kHangBoundMs) > 0 && (watched.revents & POLLIN) != 0;
}

// A running qm720-sim, killed and reaped at the end of the test whatever happens.
class SimProcess {
  public:
    explicit SimProcess(std::vector<std::string> arguments) {
        int out[2];
        EXPECT_EQ(pipe(out), 0);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
        arguments.insert(arguments.begin(), QM720_SIM_PROGRAM);
        std::vector<char*> argv;
        for (std::string& word : arguments) {
            argv.push_back(word.data());
        }
        argv.push_back(nullptr);
        EXPECT_EQ(posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ), 0);
        posix_spawn_file_actions_destroy(&actions);
        close(out[1]);
        output_ = out[0];
    }
    ~SimProcess() {
        if (pid_ > 0) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
        close(output_);
    }

    // The terminal path the program prints first; empty if none came.
    std::string first_line() const {
        std::string line;
        char c = 0;
        while (readable_in_time(output_) && read(output_, &c, 1) == 1 && c != '\n') {
            line += c;
        }
        return line;
    }

    // The exit status, or -1 if the program is still running after the bound.
    int exit_status() {
        for (const auto give_up = Clock::now() + std::chrono::milliseconds(kHangBoundMs);
             Clock::now() < give_up; std::this_thread::sleep_for(std::chrono::milliseconds(10))) {
            int status = 0;
            if (waitpid(pid_, &status, WNOHANG) == pid_) {
                pid_ = -1;
                return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            }
        }
        return -1;
    }

    void stop(int signal) const { kill(pid_, signal); }

  private:
    pid_t pid_ = -1;
    int output_ = -1;
};

// The tool's end of the line, opened the plain termios way.
int open_port(const std::string& path) {
    const int fd = open(path.c_str(), O_RDWR | O_NOCTTY);
    termios settings{};
    if (fd >= 0 && tcgetattr(fd, &settings) == 0) {
        cfmakeraw(&settings);
        cfsetspeed(&settings, B19200);
        tcsetattr(fd, TCSANOW, &settings);
    }
    return fd;
}

bool sends(int fd, const Bytes& bytes) {
    return write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
}

Bytes receive(int fd, std::size_t count) {
    Bytes received;
    std::uint8_t byte = 0;
    while (received.size() < count && readable_in_time(fd) && read(fd, &byte, 1) == 1) {
        received.push_back(byte);
    }
    return received;
}

class SimProgram : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = fs::temp_directory_path() / "qm720-sim-XXXXXX";
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        folder_ = pattern;
    }
    void TearDown() override { fs::remove_all(folder_); }

    std::string link() const { return folder_ / "COM1"; }
    bool link_exists() const { return fs::is_symlink(fs::symlink_status(link())); }

  private:
    fs::path folder_;
};

TEST_F(SimProgram, AnswersOnTheLinkedTerminalAndRemovesTheLinkOnSigterm) {
    fs::create_symlink("/dev/pts/left-by-an-earlier-run", link());
    SimProcess sim(
        {"--link", link(), "--steady", "--sensor", "1:level=777,temp=-3", "--sensor", "5"});
    const std::string slave = sim.first_line();
    ASSERT_FALSE(slave.empty());
    ASSERT_TRUE(link_exists());
    EXPECT_EQ(fs::read_symlink(link()), slave);

    const int port = open_port(link());
    ASSERT_TRUE(sends(port, hex("31 01 F0 C5")));
    const Bytes reply = receive(port, 22);
    ASSERT_EQ(reply.size(), 22u);
    EXPECT_TRUE(reply_intact(reply));
    EXPECT_EQ(static_cast<std::int8_t>(reply[3]), -3);
    EXPECT_EQ(field(reply, 5, 2), 777u);
    ASSERT_TRUE(sends(port, hex("31 FF DC")));
    EXPECT_EQ(receive(port, 2), hex("01 05"));
    close(port);

    sim.stop(SIGTERM);
    EXPECT_EQ(sim.exit_status(), 0);
    EXPECT_FALSE(link_exists());
}

TEST_F(SimProgram, ClosedLineMakesTheToolsWritesFail) {
    SimProcess sim({"--link", link(), "--close-after", "1"});
    ASSERT_FALSE(sim.first_line().empty());
    const int port = open_port(link());
    ASSERT_TRUE(sends(port, poll_request(17)));
    EXPECT_TRUE(reply_intact(receive(port, 22))) << "the last answer must still arrive";

    pollfd watched{port, 0, 0};
    EXPECT_EQ(poll(&watched, 1, kHangBoundMs), 1);
    EXPECT_TRUE(watched.revents & POLLHUP);
    EXPECT_FALSE(sends(port, poll_request(17)));
    close(port);
    EXPECT_EQ(sim.exit_status(), 0);
    EXPECT_FALSE(link_exists());
}

}  // namespace
}  // namespace qm720::test
