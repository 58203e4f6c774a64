#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <filesystem>

#include "hex.h"
#include "protocol/reply_frame.h"
#include "protocol/requests.h"
#include "reply_fields.h"
#include "sim_process.h"

namespace qm720::test {
namespace {

// A folder of its own for the link, removed with whatever is left in it.
class PortFolder {
  public:
    PortFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "qm720-sim-XXXXXX");
        if (mkdtemp(pattern.data()) != nullptr) {
            path_ = pattern;
        }
    }
    ~PortFolder() {
        if (!path_.empty()) {
            std::filesystem::remove_all(path_);
        }
    }
    std::string link() const { return (path_ / "COM1").string(); }
    bool ready() const { return !path_.empty(); }

  private:
    std::filesystem::path path_;
};

bool exists_as_link(const std::string& path) {
    struct stat seen {};
    return lstat(path.c_str(), &seen) == 0 && S_ISLNK(seen.st_mode);
}

TEST(SimProgram, AnswersOverTheLinkedTerminalAndCleansUpOnSigterm) {
    PortFolder ports;
    ASSERT_TRUE(ports.ready());
    SimProcess sim({"--link", ports.link(), "--steady", "--sensor",
                    "1:level=777,current=150001,temp=-3", "--sensor", "5"});
    const std::string slave = sim.first_line();
    ASSERT_FALSE(slave.empty()) << "no terminal path printed";
    ASSERT_TRUE(exists_as_link(ports.link()));
    EXPECT_EQ(std::filesystem::read_symlink(ports.link()).string(), slave);

    TestPort port(ports.link());
    ASSERT_TRUE(port.is_open());
    ASSERT_EQ(port.write_bytes(hex("31 01 F0 C5")), 4);
    const Bytes reply = port.read_bytes(22);
    ASSERT_EQ(reply.size(), 22u);
    EXPECT_TRUE(reply_intact(reply));
    EXPECT_EQ(reply[1], 1);
    EXPECT_EQ(reply[2], 0xF0);
    EXPECT_EQ(static_cast<std::int8_t>(reply[3]), -3);
    EXPECT_EQ(field(reply, 5, 2), 777u);
    EXPECT_EQ(field(reply, 7, 4), 150001u);

    ASSERT_EQ(port.write_bytes(hex("31 FF DC")), 3);
    EXPECT_EQ(port.read_bytes(2), hex("01 05"));

    sim.send_signal(SIGTERM);
    EXPECT_EQ(sim.wait_for_exit(), 0);
    EXPECT_FALSE(exists_as_link(ports.link()));
}

TEST(SimProgram, ClosedLineMakesTheToolsWritesFail) {
    PortFolder ports;
    ASSERT_TRUE(ports.ready());
    SimProcess sim({"--link", ports.link(), "--close-after", "1", "--answer-delay", "5"});
    ASSERT_FALSE(sim.first_line().empty());

    TestPort port(ports.link());
    ASSERT_TRUE(port.is_open());
    ASSERT_EQ(port.write_bytes(poll_request(17)), 4);
    EXPECT_TRUE(reply_intact(port.read_bytes(22)));

    EXPECT_TRUE(port.hangs_up());
    EXPECT_LT(port.write_bytes(poll_request(17)), 0);
    EXPECT_EQ(sim.wait_for_exit(), 0);
    EXPECT_FALSE(exists_as_link(ports.link()));
}

TEST(SimProgram, StaleLinkIsReplaced) {
    PortFolder ports;
    ASSERT_TRUE(ports.ready());
    std::filesystem::create_symlink("/dev/pts/does-not-exist", ports.link());
    SimProcess sim({"--link", ports.link()});
    const std::string slave = sim.first_line();
    ASSERT_FALSE(slave.empty());
    EXPECT_EQ(std::filesystem::read_symlink(ports.link()).string(), slave);
    sim.send_signal(SIGINT);
    EXPECT_EQ(sim.wait_for_exit(), 0);
    EXPECT_FALSE(exists_as_link(ports.link()));
}

}  // namespace
}  // namespace qm720::test
