#include <gtest/gtest.h>

#include "cli/sensor_link.h"
#include "support/reply_builder.h"

// Which bytes the CLI takes as the answer to its request. Noise may hold any byte value, the
// reply prefix 0x3E included, and a late answer to an earlier request may come first.
namespace qm720 {
namespace {

Bytes joined(Bytes first, const Bytes& second) {
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

TEST(ReplySearch, FindsTheAnswerBehindWhateverCameFirst) {
    const cli::ExpectedReply poll_of_1{{1}, {0xF0}};
    const Bytes reply = test::Measurement{}.frame();
    Bytes corrupted = reply;
    corrupted[5] ^= 0x01;
    const Bytes late_confirmation = with_crc({0x3E, 1, 0xF4});
    const struct {
        const char* name;
        Bytes received;
        Bytes expected;
    } cases[] = {
        {"the reply alone", reply, reply},
        {"noise 0x3E before it", joined({0x3E}, reply), reply},
        {"noise holding 0x3E before it", joined({0x00, 0x3E, 0xFF, 0x3E, 0x3E}, reply), reply},
        {"a late confirmation before it", joined(late_confirmation, reply), reply},
        {"a wrong CRC", corrupted, {}},
        {"a reply from another address", test::Measurement{.address = 2}.frame(), {}},
        {"a reply of another code", late_confirmation, {}},
        {"noise alone", {0x3E, 0x01, 0xF0, 0x3E}, {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(cli::valid_reply(c.received, poll_of_1), c.expected) << c.name;
    }
}

}  // namespace
}  // namespace qm720
