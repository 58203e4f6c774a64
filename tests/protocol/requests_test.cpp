#include "protocol/requests.h"

#include <gtest/gtest.h>

#include "hex.h"
#include "protocol/long_to_string.h"

namespace qm720 {
namespace {

using test::hex;

TEST(Requests, WorkedFramesComeOutByteForByte) {
    const struct {
        const char* what;
        Bytes frame;
        const char* expected;
    } cases[] = {
        {"poll 0", poll_request(0), "31 00 F0 01"},
        {"poll 1", poll_request(1), "31 01 F0 C5"},
        {"poll 255", poll_request(kBroadcastAddress), "31 FF F0 80"},
        {"identity 0", identity_request(0), "31 00 FC A2"},
        {"identity 1", identity_request(1), "31 01 FC 66"},
        {"scan", network_scan_request(), "31 FF DC"},
        {"calibrate full 1", calibrate_request(1, Level::Full), "31 01 F5 FA"},
        {"calibrate empty 1", calibrate_request(1, Level::Empty), "31 01 FA BB"},
        {"calibrate full 5", calibrate_request(5, Level::Full), "31 05 F5 C1"},
        {"shift full -1000", shift_request(1, Level::Full, -1000), "31 01 F4 FC 18 5E"},
        {"shift empty 1000", shift_request(1, Level::Empty, 1000), "31 01 F9 03 E8 BB"},
        {"shift full 500", shift_request(1, Level::Full, 500), "31 01 F4 01 F4 04"},
        {"shift full -500", shift_request(1, Level::Full, -500), "31 01 F4 FE 0C 33"},
        {"shift empty -1000", shift_request(1, Level::Empty, -1000), "31 01 F9 FC 18 4E"},
        {"shift full 0 to 3", shift_request(3, Level::Full, 0), "31 03 F4 00 00 D2"},
        {"shift empty -100 to 10", shift_request(10, Level::Empty, -100), "31 0A F9 FF 9C 62"},
        {"mode 0", set_mode_request(1, 0x00), "31 01 F2 00 64"},
        {"mode 131", set_mode_request(1, 131), "31 01 F2 83 0A"},
        {"mode 8", set_mode_request(1, 0x08), "31 01 F2 08 A6"},
        {"mode 16 to 2", set_mode_request(2, 0x10), "31 02 F2 10 1D"},
        {"mode 6 to 2", set_mode_request(2, 0x06), "31 02 F2 06 5D"},
        {"address 7", set_address_request(1, 7), "31 01 FB 07 55"},
        {"address 5", set_address_request(1, 5), "31 01 FB 05 E9"},
        {"address 0", set_address_request(1, 0), "31 01 FB 00 D6"},
        {"address 255", set_address_request(1, 255), "31 01 FB FF E3"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.frame, hex(c.expected)) << c.what;
    }
}

TEST(Requests, ShiftAmountIsSixteenBitTwosComplementHighByteFirst) {
    const struct {
        std::int16_t amount;
        std::uint8_t high, low;
    } cases[] = {{-1, 0xFF, 0xFF}, {-1000, 0xFC, 0x18}, {1000, 0x03, 0xE8}, {0, 0x00, 0x00}};
    for (const auto& c : cases) {
        const Bytes frame = shift_request(1, Level::Full, c.amount);
        ASSERT_EQ(frame.size(), 6u);
        EXPECT_EQ(frame[3], c.high) << c.amount;
        EXPECT_EQ(frame[4], c.low) << c.amount;
    }
}

TEST(Requests, FourByteNumbersGoMostSignificantFirst) {
    const struct {
        const char* what;
        std::optional<Bytes> frame;
        const char* expected;
    } cases[] = {
        {"serial 1000000", write_serial_number_request(1, 1'000'000), "31 01 F6 00 0F 42 40 37"},
        {"serial 123456", write_serial_number_request(1, 123456), "31 01 F6 00 01 E2 40 2D"},
        {"serial max", write_serial_number_request(1, kMaxSerialNumber), "31 01 F6 00 1E 84 80 02"},
        {"serial 0", write_serial_number_request(1, 0), "31 01 F6 00 00 00 00 24"},
        {"serial 1001", write_serial_number_request(1, 1001), "31 01 F6 00 00 03 E9 04"},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(c.frame.has_value()) << c.what;
        EXPECT_EQ(*c.frame, hex(c.expected)) << c.what;
    }
}

TEST(Requests, PasswordFramesAreAlwaysEightBytes) {
    for (const std::int64_t password : {std::int64_t{0}, std::int64_t{16'777'215}, kMaxPassword}) {
        const auto enter = enter_password_request(1, password);
        const auto change = change_password_request(1, password);
        ASSERT_TRUE(enter && change) << password;
        EXPECT_EQ(enter->size(), 8u);
        EXPECT_EQ((*enter)[2], 0xF8);
        EXPECT_EQ((*change)[2], 0xF7);
        EXPECT_EQ(Bytes(enter->begin() + 3, enter->end() - 1), *Long_to_string(password));
    }
    const Bytes zero = *enter_password_request(1, 0);
    EXPECT_EQ(Bytes(zero.begin(), zero.end() - 1), hex("31 01 F8 00 00 00 00"));
}

TEST(Requests, NegativeNumbersGiveNoFrame) {
    EXPECT_FALSE(write_serial_number_request(1, -1).has_value());
    EXPECT_FALSE(enter_password_request(1, -5).has_value());
    EXPECT_FALSE(change_password_request(1, -2'000'000'000).has_value());
}

TEST(LongToString, WorkedValues) {
    EXPECT_EQ(*Long_to_string(1'000'000), hex("00 0F 42 40"));
    EXPECT_EQ(*Long_to_string(0), hex("00 00 00 00"));
    EXPECT_EQ(*Long_to_string(2'000'000'000), hex("77 35 94 00"));
    EXPECT_EQ(*Long_to_string(2'147'483'647), hex("7F FF FF FF"));
}

TEST(LongToString, RefusesValuesWithoutAWireForm) {
    EXPECT_FALSE(Long_to_string(-1).has_value());
    EXPECT_FALSE(Long_to_string(-2'147'483'648LL).has_value());
    EXPECT_FALSE(Long_to_string(2'147'483'648LL).has_value());
}

}  // namespace
}  // namespace qm720
