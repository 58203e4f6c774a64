#include <gtest/gtest.h>

#include "hex.h"
#include "protocol/command_line.h"
#include "protocol/crc8.h"
#include "protocol/reply_frame.h"
#include "protocol/requests.h"
#include "reply_fields.h"

namespace qm720::sim {
namespace {

using test::field;
using test::hex;
using test::steady_bus;

TEST(SensorReplies, PollAndIdentityFieldsDecodeToTheSensorState) {
    // Every byte of every field differs, so a field out of place or order cannot go unseen.
    const SensorSettings sensor{.address = 1,
                                .serial_number = 0x0A0B0C0D,
                                .software_version = 134,
                                .version_prefix = 2,
                                .mode = 0x89,
                                .empty_level = 0x00FEDCBA,
                                .full_level = 0x12345678,
                                .level = 0x1234,
                                .temperature = -5,
                                .current_value = 0xA1B2C3D4,
                                .k_value = 0xBEEF,
                                .password = 0,
                                .faults = {}};
    SensorBus bus = steady_bus({sensor});

    const Bytes poll = bus.answer(hex("31 01 F0 C5"));
    ASSERT_EQ(poll.size(), 22u);
    EXPECT_TRUE(reply_intact(poll));
    EXPECT_EQ(Bytes(poll.begin(), poll.begin() + 3), hex("3E 01 F0"));
    EXPECT_EQ(static_cast<std::int8_t>(poll[3]), -5);
    EXPECT_EQ(field(poll, 5, 2), sensor.level);
    EXPECT_EQ(field(poll, 7, 4), sensor.current_value);
    EXPECT_EQ(field(poll, 11, 4), sensor.empty_level);
    EXPECT_EQ(field(poll, 15, 4), sensor.full_level);
    EXPECT_EQ(field(poll, 19, 2), sensor.k_value);
    EXPECT_EQ(poll[20], sensor.mode);

    const Bytes identity = bus.answer(hex("31 01 FC 66"));
    ASSERT_EQ(identity.size(), 10u);
    EXPECT_TRUE(reply_intact(identity));
    EXPECT_EQ(Bytes(identity.begin(), identity.begin() + 3), hex("3E 01 FC"));
    EXPECT_EQ(field(identity, 4, 4), sensor.serial_number);
    EXPECT_EQ(identity[7], sensor.software_version);
    EXPECT_EQ(identity[8], sensor.version_prefix);
}

TEST(SensorReplies, WorkedRequestsGetTheirFrames) {
    const struct {
        const char* request;
        Bytes reply;
    } cases[] = {
        {"31 01 F5 FA", Control_summ(hex("3E 01 F5"))},
        {"31 01 FA BB", Control_summ(hex("3E 01 FA"))},
        {"31 01 F4 FC 18 5E", Control_summ(hex("3E 01 F4"))},
        {"31 01 F9 03 E8 BB", Control_summ(hex("3E 01 F9"))},
        {"31 01 F2 83 0A", Control_summ(hex("3E 01 F2 83"))},
        {"31 01 FB 07 55", Control_summ(hex("3E 01 FB"))},
        {"31 01 F6 00 0F 42 40 37", Control_summ(hex("3E 01 F6"))},
        {"31 FF DC", hex("01 05 11")},
        // 123456, version 163, prefix 0.
        {"31 01 FC 66", Control_summ(hex("3E 01 FC 40 E2 01 00 A3 00"))},
        // 23 °C, level 512, current 145000, empty 100000, full 190000, K 600, mode 0.
        {"31 01 F0 C5",
         Control_summ(hex("3E 01 F0 17 00 02 68 36 02 00 A0 86 01 00 30 E6 02 00 58 02 00"))},
        // The first sensor answers the poll to 255 with its own address.
        {"31 FF F0 80",
         Control_summ(hex("3E 01 F0 17 00 02 68 36 02 00 A0 86 01 00 30 E6 02 00 58 02 00"))},
    };
    for (const auto& c : cases) {
        SensorBus bus = steady_bus(default_bus());
        EXPECT_EQ(bus.answer(hex(c.request)), c.reply) << c.request;
    }
}

TEST(SensorReplies, MalformedOrUnaddressedRequestsGetNoAnswer) {
    for (const Bytes& request : {
             hex("31 01 F0 C6"),                // wrong CRC
             poll_request(2),                   // nobody at 2
             hex("31 01"),                      // too short
             Control_summ(hex("32 01 F0")),     // wrong prefix
             Control_summ(hex("31 01 F0 00")),  // poll with a payload
             Control_summ(hex("31 01 F4 03")),  // shift missing a byte
             Control_summ(hex("31 01 E0")),     // unknown code
             hex("31 FF DD"),                   // scan with a wrong CRC
         }) {
        SensorBus bus = steady_bus(default_bus());
        EXPECT_TRUE(bus.answer(request).empty()) << two_digit_hex(request);
    }
}

}  // namespace
}  // namespace qm720::sim
