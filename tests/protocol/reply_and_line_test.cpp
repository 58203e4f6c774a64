#include <gtest/gtest.h>

#include "hex.h"
#include "protocol/command_line.h"
#include "protocol/crc8.h"
#include "protocol/reply_frame.h"
#include "protocol/requests.h"

namespace qm720 {
namespace {

using test::hex;

TEST(ReplyFrame, OnlyPrefixedFramesOfFourBytesOrMoreAreReplies) {
    EXPECT_TRUE(is_reply_frame(hex("3E 01 F5 00")));
    EXPECT_FALSE(is_reply_frame(hex("3E 01 F5")));  // a scan answer naming sensor 62
    EXPECT_FALSE(is_reply_frame(hex("31 01 F5 FA")));
    EXPECT_FALSE(is_reply_frame({}));
}

TEST(ReplyFrame, CheckComparesLastByteWithCrcOfTheRest) {
    const Bytes intact = Control_summ(hex("3E 01 F5"));
    EXPECT_TRUE(reply_intact(intact));
    EXPECT_EQ(reply_check_crc(intact), intact.back());

    Bytes damaged = intact;
    damaged.back() ^= 0x01;
    EXPECT_FALSE(reply_intact(damaged));
    EXPECT_EQ(reply_check_crc(damaged), intact.back());

    EXPECT_FALSE(reply_intact({}));
    EXPECT_EQ(reply_check_crc({}), 0);
    EXPECT_EQ(reply_check_crc({0x42}), 0);
}

TEST(CommandLine, HexIsTwoUpperCaseDigitsPerByte) {
    EXPECT_EQ(two_digit_hex(hex("05 0A FF 00 31")), "050AFF0031");
    EXPECT_EQ(two_digit_hex({}), "");
}

TEST(CommandLine, ShiftAndModeFramesGetTheirPrefixes) {
    const struct {
        Bytes frame;
        const char* line;
    } cases[] = {
        {shift_request(1, Level::Empty, 1000), "S485=6:8:150:19200:3101F903E8BB"},
        {shift_request(10, Level::Empty, -100), "S485=6:8:150:19200:310AF9FF9C62"},
        {set_mode_request(10, 0x08), "S485=5:5:150:19200:310AF20867"},
        {set_mode_request(10, 0x89), "S485=5:5:150:19200:310AF289B5"},
        {set_mode_request(199, 0x00), "S485=5:5:150:19200:31C7F200E6"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(generated_command_line(c.frame), std::optional<std::string>(c.line)) << c.line;
    }
    EXPECT_EQ(generated_command_line(shift_request(1, Level::Full, 0))->size(), 31u);
    EXPECT_EQ(generated_command_line(set_mode_request(1, 0))->size(), 29u);
}

TEST(CommandLine, OtherFramesHaveNoLine) {
    EXPECT_FALSE(generated_command_line(poll_request(1)).has_value());
    EXPECT_FALSE(generated_command_line(network_scan_request()).has_value());
    EXPECT_FALSE(generated_command_line({}).has_value());
}

}  // namespace
}  // namespace qm720
