#include <gtest/gtest.h>

#include "hex.h"
#include "protocol/crc8.h"
#include "protocol/reply_frame.h"
#include "protocol/requests.h"
#include "reply_fields.h"
#include "sim/sensor_bus.h"

namespace qm720::sim {
namespace {

using test::field;
using test::hex;

SensorBus steady_bus(const std::vector<SensorSettings>& sensors) {
    return SensorBus(sensors, BusOptions{.seed = 1, .steady = true});
}

SensorSettings distinctive_sensor() {
    SensorSettings sensor;
    sensor.address = 1;
    sensor.temperature = -5;
    sensor.level = 0x1234;
    sensor.current_value = 0xA1B2C3D4;
    sensor.empty_level = 0x00FEDCBA;
    sensor.full_level = 0x12345678;
    sensor.k_value = 0xBEEF;
    sensor.mode = 0x89;
    sensor.serial_number = 0x0A0B0C0D;
    sensor.software_version = 134;
    sensor.version_prefix = 2;
    return sensor;
}

TEST(SensorReplies, PollOfAddressOneGivesTheMeasurementLayoutByteForByte) {
    SensorBus bus = steady_bus(default_bus());
    // 23 °C, level 512, current 145000, empty 100000, full 190000, K 600, mode 0.
    const Bytes expected =
        Control_summ(hex("3E 01 F0 17 00 02 68 36 02 00 A0 86 01 00 30 E6 02 00 58 02 00"));
    EXPECT_EQ(bus.answer(hex("31 01 F0 C5")), expected);
}

TEST(SensorReplies, IdentityOfAddressOneCarriesSerialVersionAndPrefix) {
    SensorBus bus = steady_bus(default_bus());
    EXPECT_EQ(bus.answer(hex("31 01 FC 66")), Control_summ(hex("3E 01 FC 40 E2 01 00 A3 00")));
}

TEST(SensorReplies, MeasurementFieldsDecodeToTheSensorState) {
    const SensorSettings sensor = distinctive_sensor();
    SensorBus bus = steady_bus({sensor});
    const Bytes reply = bus.answer(poll_request(1));

    ASSERT_EQ(reply.size(), 22u);
    EXPECT_TRUE(reply_intact(reply));
    EXPECT_EQ(reply[0], kReplyPrefix);
    EXPECT_EQ(reply[1], 1);
    EXPECT_EQ(reply[2], 0xF0);
    EXPECT_EQ(static_cast<std::int8_t>(reply[3]), -5);
    EXPECT_EQ(field(reply, 5, 2), sensor.level);
    EXPECT_EQ(field(reply, 7, 4), sensor.current_value);
    EXPECT_EQ(field(reply, 11, 4), sensor.empty_level);
    EXPECT_EQ(field(reply, 15, 4), sensor.full_level);
    EXPECT_EQ(field(reply, 19, 2), sensor.k_value);
    EXPECT_EQ(reply[20], sensor.mode);
}

TEST(SensorReplies, IdentityFieldsDecodeToTheSensorState) {
    const SensorSettings sensor = distinctive_sensor();
    SensorBus bus = steady_bus({sensor});
    const Bytes reply = bus.answer(identity_request(1));

    ASSERT_EQ(reply.size(), 10u);
    EXPECT_TRUE(reply_intact(reply));
    EXPECT_EQ(Bytes(reply.begin(), reply.begin() + 3), hex("3E 01 FC"));
    EXPECT_EQ(field(reply, 4, 4), sensor.serial_number);
    EXPECT_EQ(reply[7], sensor.software_version);
    EXPECT_EQ(reply[8], sensor.version_prefix);
}

TEST(SensorReplies, CommandsAreConfirmedWithTheirOwnCode) {
    const struct {
        const char* request;
        const char* reply_before_crc;
    } cases[] = {
        {"31 01 F5 FA", "3E 01 F5"},       {"31 01 FA BB", "3E 01 FA"},
        {"31 01 F4 FC 18 5E", "3E 01 F4"}, {"31 01 F9 03 E8 BB", "3E 01 F9"},
        {"31 01 F2 83 0A", "3E 01 F2 83"}, {"31 01 F2 00 64", "3E 01 F2 00"},
        {"31 01 FB 07 55", "3E 01 FB"},    {"31 01 F6 00 0F 42 40 37", "3E 01 F6"},
    };
    for (const auto& c : cases) {
        SensorBus bus = steady_bus(default_bus());
        EXPECT_EQ(bus.answer(hex(c.request)), Control_summ(hex(c.reply_before_crc))) << c.request;
    }
}

TEST(SensorReplies, ScanListsEveryAddressInBusOrderWithoutFrame) {
    SensorBus bus = steady_bus(default_bus());
    EXPECT_EQ(bus.answer(hex("31 FF DC")), hex("01 05 11"));
}

TEST(SensorReplies, PollToBroadcastIsAnsweredByTheFirstSensorWithItsOwnAddress) {
    std::vector<SensorSettings> sensors = default_bus();
    sensors.front().address = 9;
    SensorBus bus = steady_bus(sensors);
    const Bytes reply = bus.answer(hex("31 FF F0 80"));
    ASSERT_EQ(reply.size(), 22u);
    EXPECT_TRUE(reply_intact(reply));
    EXPECT_EQ(reply[1], 9);
    EXPECT_EQ(field(reply, 7, 4), sensors.front().current_value);
}

TEST(SensorReplies, DefaultBusHasThreeDistinctSensorsOneSmoothing) {
    SensorBus bus = steady_bus(default_bus());
    const struct {
        std::uint8_t address;
        std::uint32_t serial;
        std::uint8_t version;
    } expected[] = {{1, 123456, 163}, {5, 200501, 131}, {17, 1017, 120}};
    int smoothing = 0;
    for (const auto& sensor : expected) {
        const Bytes identity = bus.answer(identity_request(sensor.address));
        ASSERT_EQ(identity.size(), 10u) << int{sensor.address};
        EXPECT_EQ(field(identity, 4, 4), sensor.serial);
        EXPECT_EQ(identity[7], sensor.version);
        EXPECT_EQ(identity[8], 0);

        const Bytes measurement = bus.answer(poll_request(sensor.address));
        ASSERT_EQ(measurement.size(), 22u);
        const double ratio =
            static_cast<double>(field(measurement, 15, 4)) / field(measurement, 11, 4);
        EXPECT_GT(ratio, 1.8) << int{sensor.address};
        EXPECT_LT(ratio, 1.98) << int{sensor.address};
        smoothing += (measurement[20] & 0x08) != 0;
    }
    EXPECT_EQ(smoothing, 1);
}

TEST(SensorReplies, MalformedOrUnaddressedRequestsGetNoAnswer) {
    const struct {
        const char* what;
        Bytes request;
    } cases[] = {
        {"wrong CRC", hex("31 01 F0 C6")},
        {"nobody at 2", poll_request(2)},
        {"too short", hex("31 01")},
        {"empty", {}},
        {"prefix only and CRC", Control_summ(hex("31"))},
        {"wrong prefix", Control_summ(hex("32 01 F0"))},
        {"poll with a payload", Control_summ(hex("31 01 F0 00"))},
        {"shift missing a byte", Control_summ(hex("31 01 F4 03"))},
        {"unknown code", Control_summ(hex("31 01 E0"))},
        {"scan with a wrong CRC", hex("31 FF DD")},
        {"scan followed by a byte", hex("31 FF DC 00")},
    };
    for (const auto& c : cases) {
        SensorBus bus = steady_bus(default_bus());
        EXPECT_TRUE(bus.answer(c.request).empty()) << c.what;
    }
}

}  // namespace
}  // namespace qm720::sim
