#include <gtest/gtest.h>

#include "hex.h"
#include "protocol/command_line.h"
#include "protocol/crc8.h"
#include "protocol/long_to_string.h"
#include "protocol/reply_frame.h"
#include "protocol/requests.h"

namespace qm720 {
namespace {

using test::hex;

// Textbook bit-by-bit form of the reflected 0x8C polynomial, to check the loop-free step.
std::uint8_t bitwise_step(std::uint8_t data, std::uint8_t reg) {
    std::uint8_t value = reg ^ data;
    for (int bit = 0; bit < 8; ++bit) {
        value = static_cast<std::uint8_t>((value >> 1) ^ ((value & 1) ? 0x8C : 0x00));
    }
    return value;
}

TEST(Crc8, LoopFreeStepMatchesBitwiseReferenceForEveryDataAndRegister) {
    int mismatches = 0;
    for (int data = 0; data < 256; ++data) {
        for (int reg = 0; reg < 256; ++reg) {
            std::uint8_t cr = static_cast<std::uint8_t>(reg);
            const std::uint8_t expected = bitwise_step(data, cr);
            // The step both returns the new register and leaves it in `cr`.
            mismatches += crc(static_cast<std::uint8_t>(data), cr) != expected || cr != expected;
        }
    }
    EXPECT_EQ(mismatches, 0);
}

TEST(Crc8, CheckValueOfDigitsOneToNineIsA1) {
    const std::string digits = "123456789";
    EXPECT_EQ(crc_of(Bytes(digits.begin(), digits.end()), digits.size()), 0xA1);
}

// Rows such as serial number 0 show that frames keep 0x00 bytes where a C string would end.
TEST(Requests, WorkedFramesComeOutByteForByteZeroBytesIncluded) {
    const struct {
        Bytes frame;
        const char* expected;
    } cases[] = {
        {poll_request(0), "31 00 F0 01"},
        {poll_request(1), "31 01 F0 C5"},
        {poll_request(kBroadcastAddress), "31 FF F0 80"},
        {identity_request(0), "31 00 FC A2"},
        {identity_request(1), "31 01 FC 66"},
        {network_scan_request(), "31 FF DC"},
        {calibrate_request(1, Level::Full), "31 01 F5 FA"},
        {calibrate_request(1, Level::Empty), "31 01 FA BB"},
        {calibrate_request(5, Level::Full), "31 05 F5 C1"},
        {shift_request(1, Level::Full, -1000), "31 01 F4 FC 18 5E"},
        {shift_request(1, Level::Empty, 1000), "31 01 F9 03 E8 BB"},
        {shift_request(1, Level::Full, 500), "31 01 F4 01 F4 04"},
        {shift_request(1, Level::Full, -500), "31 01 F4 FE 0C 33"},
        {shift_request(1, Level::Empty, -1000), "31 01 F9 FC 18 4E"},
        {shift_request(3, Level::Full, 0), "31 03 F4 00 00 D2"},
        {shift_request(10, Level::Empty, -100), "31 0A F9 FF 9C 62"},
        {set_mode_request(1, 0x00), "31 01 F2 00 64"},
        {set_mode_request(1, 131), "31 01 F2 83 0A"},
        {set_mode_request(1, 0x08), "31 01 F2 08 A6"},
        {set_mode_request(2, 0x10), "31 02 F2 10 1D"},
        {set_mode_request(2, 0x06), "31 02 F2 06 5D"},
        {set_address_request(1, 7), "31 01 FB 07 55"},
        {set_address_request(1, 5), "31 01 FB 05 E9"},
        {set_address_request(1, 0), "31 01 FB 00 D6"},
        {set_address_request(1, 255), "31 01 FB FF E3"},
        {write_serial_number_request(1, 1'000'000).value(), "31 01 F6 00 0F 42 40 37"},
        {write_serial_number_request(1, 123456).value(), "31 01 F6 00 01 E2 40 2D"},
        {write_serial_number_request(1, kMaxSerialNumber).value(), "31 01 F6 00 1E 84 80 02"},
        {write_serial_number_request(1, 0).value(), "31 01 F6 00 00 00 00 24"},
        {write_serial_number_request(1, 1001).value(), "31 01 F6 00 00 03 E9 04"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.frame, hex(c.expected)) << c.expected;
    }
}

TEST(Requests, PasswordFramesCarryTheirCodeAndThePasswordMostSignificantByteFirst) {
    EXPECT_EQ(enter_password_request(1, kMaxPassword), Control_summ(hex("31 01 F8 77 35 94 00")));
    EXPECT_EQ(change_password_request(1, kMaxPassword), Control_summ(hex("31 01 F7 77 35 94 00")));
    EXPECT_EQ(enter_password_request(1, 0), Control_summ(hex("31 01 F8 00 00 00 00")));
}

TEST(LongToString, GivesFourBytesUpToTheLargestAndRefusesNegatives) {
    EXPECT_EQ(Long_to_string(2'147'483'647), hex("7F FF FF FF"));
    for (const std::int64_t refused : {-1LL, -2'147'483'648LL, 2'147'483'648LL}) {
        EXPECT_EQ(Long_to_string(refused), std::nullopt) << refused;
    }
    EXPECT_EQ(write_serial_number_request(1, -1), std::nullopt);
    EXPECT_EQ(enter_password_request(1, -5), std::nullopt);
    EXPECT_EQ(change_password_request(1, -2'000'000'000), std::nullopt);
}

TEST(CommandLine, ShiftAndModeFramesHaveTheirLinesOtherFramesNone) {
    const struct {
        Bytes frame;
        std::optional<std::string> line;
    } cases[] = {
        {shift_request(1, Level::Empty, 1000), "S485=6:8:150:19200:3101F903E8BB"},
        {shift_request(10, Level::Empty, -100), "S485=6:8:150:19200:310AF9FF9C62"},
        {set_mode_request(10, 0x08), "S485=5:5:150:19200:310AF20867"},
        {set_mode_request(10, 0x89), "S485=5:5:150:19200:310AF289B5"},
        {set_mode_request(199, 0x00), "S485=5:5:150:19200:31C7F200E6"},
        {poll_request(1), std::nullopt},
        {network_scan_request(), std::nullopt},
        {{}, std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(generated_command_line(c.frame), c.line) << two_digit_hex(c.frame);
    }
}

TEST(ReplyFrame, OnlyPrefixedFramesOfFourBytesOrMoreAreReplies) {
    EXPECT_TRUE(is_reply_frame(hex("3E 01 F5 00")));
    EXPECT_FALSE(is_reply_frame(hex("3E 01 F5")));  // a scan answer naming sensor 62
    EXPECT_FALSE(is_reply_frame(hex("31 01 F5 FA")));
    EXPECT_FALSE(is_reply_frame({}));
}

TEST(ReplyFrame, CheckComparesLastByteWithCrcOfTheRestAndSurvivesShortInput) {
    const Bytes intact = Control_summ(hex("3E 01 F5"));
    Bytes damaged = intact;
    damaged.back() ^= 0x01;
    EXPECT_TRUE(reply_intact(intact));
    EXPECT_FALSE(reply_intact(damaged));
    EXPECT_FALSE(reply_intact({}));
    EXPECT_EQ(reply_check_crc({}), 0);
}

}  // namespace
}  // namespace qm720
