#include <gtest/gtest.h>

#include "hex.h"
#include "protocol/command_line.h"
#include "protocol/crc8.h"
#include "protocol/four_bytes.h"
#include "protocol/reply_acceptance.h"
#include "protocol/reply_fields.h"
#include "protocol/reply_frame.h"
#include "protocol/requests.h"
#include "support/reply_builder.h"

namespace qm720 {
namespace {

using test::hex;
using test::joined;

// Numbers go out most significant byte first, negative shifts as two's complement, zero bytes stay
// in the frame where a C string would end, and the CRC-8 (reflected 0x8C) closes every frame.
TEST(Requests, WorkedFramesComeOutByteForByteZeroBytesIncluded) {
    const struct {
        Bytes frame;
        Bytes expected;
    } cases[] = {
        {poll_request(0), hex("31 00 F0 01")},
        {poll_request(kBroadcastAddress), hex("31 FF F0 80")},
        {identity_request(1), hex("31 01 FC 66")},
        {network_scan_request(), hex("31 FF DC")},
        {calibrate_request(5, Level::Full), hex("31 05 F5 C1")},
        {calibrate_request(1, Level::Empty), hex("31 01 FA BB")},
        {shift_request(1, Level::Full, -1000), hex("31 01 F4 FC 18 5E")},
        {shift_request(1, Level::Empty, 1000), hex("31 01 F9 03 E8 BB")},
        {shift_request(3, Level::Full, 0), hex("31 03 F4 00 00 D2")},
        {set_mode_request(1, 131), hex("31 01 F2 83 0A")},
        {set_mode_request(1, 0x00), hex("31 01 F2 00 64")},
        {set_address_request(1, 255), hex("31 01 FB FF E3")},
        {write_serial_number_request(1, kMaxSerialNumber).value(), hex("31 01 F6 00 1E 84 80 02")},
        {write_serial_number_request(1, 0).value(), hex("31 01 F6 00 00 00 00 24")},
        {four_byte_request(1, CommandCode::EnterPassword, kMaxPassword).value(),
         with_crc(hex("31 01 F8 77 35 94 00"))},
        {four_byte_request(1, CommandCode::ChangePassword, kMaxPassword).value(),
         with_crc(hex("31 01 F7 77 35 94 00"))},
        {four_byte_request(1, CommandCode::EnterPassword, 0).value(),
         with_crc(hex("31 01 F8 00 00 00 00"))},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.frame, c.expected) << two_digit_hex(c.expected);
    }
}

TEST(LongToString, GivesFourBytesUpToTheLargestAndRefusesNegatives) {
    EXPECT_EQ(four_bytes(2'147'483'647), hex("7F FF FF FF"));
    for (const std::int64_t refused : {-1LL, -2'147'483'648LL, 2'147'483'648LL}) {
        EXPECT_EQ(four_bytes(refused), std::nullopt) << refused;
    }
    EXPECT_EQ(write_serial_number_request(1, -1), std::nullopt);
    EXPECT_EQ(four_byte_request(1, CommandCode::EnterPassword, -5), std::nullopt);
}

TEST(CommandLine, ShiftAndModeFramesHaveTheirLinesOtherFramesNone) {
    const struct {
        Bytes frame;
        std::optional<std::string> line;
    } cases[] = {
        {shift_request(1, Level::Empty, 1000), "S485=6:8:150:19200:3101F903E8BB"},
        {set_mode_request(199, 0x00), "S485=5:5:150:19200:31C7F200E6"},
        {poll_request(1), std::nullopt},
        {{}, std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(generated_command_line(c.frame), c.line) << two_digit_hex(c.frame);
    }
}

// Only prefixed frames of four bytes or more are replies; the check compares the last byte with
// the CRC of the rest and survives empty input.
TEST(ReplyFrame, IsRecognisedByPrefixAndLengthAndCheckedByItsLastByte) {
    EXPECT_TRUE(is_reply_frame(hex("3E 01 F5 00")));
    EXPECT_FALSE(is_reply_frame(hex("3E 01 F5")));  // a scan answer naming sensor 62
    EXPECT_FALSE(is_reply_frame(hex("31 01 F5 FA")));
    EXPECT_FALSE(is_reply_frame({}));
    Bytes frame = with_crc(hex("3E 01 F5"));
    EXPECT_TRUE(reply_intact(frame));
    frame.back() ^= 0x01;
    EXPECT_FALSE(reply_intact(frame));
    EXPECT_FALSE(reply_intact({}));
    EXPECT_EQ(reply_check_crc({}), 0);
}

// Noise may hold the prefix byte and even a whole intact frame; the reply is the one intact frame
// that ends the read, and without one the read starts at its first prefix as it came.
TEST(ReplyFrame, IsFoundBehindNoiseThatHoldsItsPrefix) {
    const Bytes confirmation = with_crc(hex("3E 07 F8"));
    const Bytes measurement = with_crc(hex("3E 01 F0 17 00 02 A0 86 01 00 A0 86 01 00"));
    const struct {
        const char* what;
        Bytes read;
        Bytes frame;
        bool after_noise;
    } cases[] = {
        {"a clean reply", measurement, measurement, false},
        {"noise without the prefix", joined({hex("A5 5A"), measurement}), measurement, true},
        {"noise holding the prefix", joined({hex("3E A5 3E"), measurement}), measurement, true},
        {"an intact frame in the noise", joined({hex("A5"), confirmation, measurement}),
         measurement, true},
        {"two replies back to back", joined({measurement, measurement}), measurement, true},
        {"a damaged frame after noise", hex("A5 5A 3E 07 F8 00 13"), hex("3E 07 F8 00 13"), true},
        {"no prefix at all", hex("01 05 11"), hex("01 05 11"), false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const LocatedReply located = locate_reply(c.read);
        EXPECT_EQ(located.frame, c.frame);
        EXPECT_EQ(located.after_noise, c.after_noise);
    }
}

// The one rule both programs take replies by, as qm720-cli uses it: every confirmation intact
// and from the sensor asked, measurements only from the sensor named. (The window's lenient
// side shows in its exchange tests.)
TEST(ReplyAcceptance, StrictlyTakesOnlyIntactAnswersFromTheSensorAsked) {
    Bytes damaged_confirmation = with_crc(hex("3E 01 F5"));
    damaged_confirmation.back() ^= 0x01;
    const Bytes measurement_of_5 =
        with_crc(hex("3E 05 F0 17 00 02 A0 86 01 00 A0 86 01 00 30 E6 02 00 07 00"));
    const struct {
        const char* what;
        Bytes read;
        Bytes asked;
        ReplyKind kind;
    } cases[] = {
        {"a damaged confirmation", damaged_confirmation, calibrate_request(1, Level::Full),
         ReplyKind::Unusable},
        {"a confirmation from another sensor", with_crc(hex("3E 02 F5")),
         calibrate_request(1, Level::Full), ReplyKind::Unusable},
        {"a password refusal of a password change", with_crc(hex("3E 01 FD")),
         *four_byte_request(1, CommandCode::ChangePassword, 5), ReplyKind::Confirmation},
        {"another sensor's measurement after a broadcast poll", measurement_of_5,
         poll_request(kBroadcastAddress), ReplyKind::Unusable},
        {"a new address confirmed from the new address", with_crc(hex("3E 07 FB")),
         set_address_request(1, 7), ReplyKind::Confirmation},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(judge_reply(c.read, {.asked = c.asked, .reading_address = 1}).kind, c.kind);
    }
}

// At 20 bytes the CRC stands in K's high byte, at 21 in the mode byte's place; shorter, a
// measurement lacks fields every reading needs.
TEST(ReplyFields, ShortMeasurementsHoldNoModeByteAndBelowTwentyBytesNothing) {
    const Bytes reply = test::Measurement{.k_value = 0x0102, .mode_byte = 0x08}.frame(false);
    const struct {
        std::size_t length;
        std::uint16_t k_value;
    } cases[] = {{20, 49922}, {21, 258}};
    for (const auto& c : cases) {
        Bytes frame(reply.begin(), reply.begin() + static_cast<std::ptrdiff_t>(c.length));
        frame.back() = 0xC3;
        const auto fields = measurement_fields(frame);
        ASSERT_TRUE(fields) << c.length;
        EXPECT_EQ(fields->level, 512) << c.length;
        EXPECT_EQ(fields->k_value, c.k_value) << c.length;
        EXPECT_EQ(fields->mode_byte, std::nullopt) << c.length;
    }
    EXPECT_EQ(measurement_fields(Bytes(reply.begin(), reply.begin() + 19)), std::nullopt);
}

}  // namespace
}  // namespace qm720
