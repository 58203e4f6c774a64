#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
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

// Up to `most` bytes from `fd`, stopping before `end` or after ten quiet seconds (a hang).
Bytes take(int fd, std::size_t most, int end = -1) {
    Bytes got;
    pollfd watched{fd, POLLIN, 0};
    for (std::uint8_t byte = 0; got.size() < most && poll(&watched, 1, 10'000) > 0 &&
                                read(fd, &byte, 1) == 1 && byte != end;) {
        got.push_back(byte);
    }
    return got;
}

// A stale link is replaced and removed at hang-up; the answers are the bus's, the last one late.
TEST(SimProgram, BurstComesOnceBeforeTheAnswerToItsRequestAndTheLastAnswerBeforeTheHangUp) {
    const fs::path folder = fs::temp_directory_path() / ("qm720-sim-" + std::to_string(getpid()));
    const fs::path link = folder / "COM1";
    fs::create_directory(folder);
    fs::create_symlink("/dev/pts/left-by-an-earlier-run", link);
    sim::SensorBus bus(sim::default_bus(), {});
    Bytes requests, answers, answer;
    std::size_t burst_start = 0;
    for (const Bytes& request : {poll_request(1), poll_request(9), identity_request(17)}) {
        burst_start = request == poll_request(9) ? answers.size() : burst_start;
        answer = bus.answer(request);  // none from 9, yet the burst comes
        requests.insert(requests.end(), request.begin(), request.end());
        answers.insert(answers.end(), answer.begin(), answer.end());
    }
    int out[2];
    ASSERT_EQ(pipe(out), 0);
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(out[1], STDOUT_FILENO);
        execl(QM720_SIM_PROGRAM, QM720_SIM_PROGRAM, "--link", link.c_str(), "--burst", "2000:2",
              "--close-after", "3", "--gap", "40", nullptr);
        _exit(127);
    }
    close(out[1]);
    const Bytes terminal = take(out[0], 4096, '\n');
    std::error_code no_link;
    EXPECT_EQ(fs::read_symlink(link, no_link), std::string(terminal.begin(), terminal.end()));
    const int port = open(link.c_str(), O_RDWR | O_NOCTTY);  // the program made the line raw
    EXPECT_EQ(write(port, requests.data(), requests.size()), static_cast<ssize_t>(requests.size()));
    Bytes got = take(port, answers.size() + 2000 - answer.size());
    std::this_thread::sleep_for(200ms);  // far longer than the last answer takes to send
    const Bytes last = take(port, answer.size() + 1);  // the hang-up ends it
    got.insert(got.end(), last.begin(), last.end());
    close(port);
    take(out[0], 4096);  // until the program's end closes the pipe, or ten seconds
    kill(pid, SIGKILL);  // one still running has hung
    int status = -1;
    EXPECT_EQ(waitpid(pid, &status, 0), pid);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    close(out[0]);
    EXPECT_FALSE(fs::is_symlink(fs::symlink_status(link)));
    fs::remove_all(folder);
    ASSERT_EQ(got.size(), answers.size() + 2000);
    const auto noise = got.begin() + static_cast<std::ptrdiff_t>(burst_start);
    EXPECT_GT(std::count(noise, noise + 2000, kReplyPrefix), 0);  // noise of all 256 values
    got.erase(noise, noise + 2000);
    EXPECT_EQ(got, answers);
}

}  // namespace
}  // namespace qm720::test
