#include <gtest/gtest.h>

#include <cstdlib>
#include <set>

#include "hex.h"
#include "protocol/reply_frame.h"
#include "protocol/requests.h"
#include "reply_fields.h"

namespace qm720::sim {
namespace {

using test::field;
using test::hex;
using test::steady_bus;

SensorBus bus_with_faulty_five(SensorFaults faults) {
    std::vector<SensorSettings> sensors = default_bus();
    sensors[1].faults = faults;
    return steady_bus(sensors);
}

TEST(SensorFaults, SilentSensorIsAbsentEvenFromTheScan) {
    SensorBus bus = bus_with_faulty_five({.silent = true});
    EXPECT_TRUE(bus.answer(poll_request(5)).empty());
    EXPECT_TRUE(bus.answer(identity_request(5)).empty());
    EXPECT_EQ(bus.answer(network_scan_request()), hex("01 11"));
}

TEST(SensorFaults, BadCrcSpoilsOnlyTheMeasurementCrc) {
    SensorBus bus = bus_with_faulty_five({.bad_crc = true});
    const Bytes spoiled = bus.answer(poll_request(5));
    const Bytes honest = steady_bus(default_bus()).answer(poll_request(5));
    EXPECT_FALSE(reply_intact(spoiled));
    EXPECT_EQ(Bytes(spoiled.begin(), spoiled.end() - 1), Bytes(honest.begin(), honest.end() - 1));
    EXPECT_TRUE(reply_intact(bus.answer(identity_request(5))));
}

TEST(SensorFaults, UnknownCodeReplacesEveryReplyCodeKeepingTheCrcRight) {
    SensorBus bus = bus_with_faulty_five({.unknown_code = true});
    for (const Bytes& request : {poll_request(5), identity_request(5), set_mode_request(5, 1)}) {
        const Bytes reply = bus.answer(request);
        ASSERT_TRUE(is_reply_frame(reply));
        EXPECT_EQ(reply[2], 0xE7);
        EXPECT_TRUE(reply_intact(reply));
    }
}

TEST(SensorFaults, GarbageIsNeverTakenForAReplyFrame) {
    SensorBus bus = bus_with_faulty_five({.garbage = true});
    // Enough polls that a first byte of 0x3E would turn up by chance if it were allowed.
    for (int poll = 0; poll < 3000; ++poll) {
        const Bytes reply = bus.answer(poll_request(5));
        ASSERT_EQ(reply.size(), 22u);
        ASSERT_FALSE(is_reply_frame(reply)) << "poll " << poll;
    }
    EXPECT_EQ(bus.answer(network_scan_request()), hex("01 05 11"));
}

std::vector<Bytes> polls_of_first_sensor(BusOptions options) {
    SensorBus bus(default_bus(), options);
    std::vector<Bytes> replies;
    for (int k = 0; k < 50; ++k) {
        replies.push_back(bus.answer(poll_request(1)));
    }
    return replies;
}

TEST(SensorReadings, WanderALittleAndTheSameWayForOneSeed) {
    const SensorSettings centre = default_bus().front();
    const std::vector<Bytes> replies = polls_of_first_sensor({.seed = 7});
    std::set<std::uint32_t> currents;
    for (const Bytes& reply : replies) {
        EXPECT_LE(std::abs(static_cast<int>(field(reply, 5, 2)) - centre.level), 2);
        EXPECT_LE(std::abs(static_cast<std::int8_t>(reply[3]) - centre.temperature), 1);
        const auto current = static_cast<std::int64_t>(field(reply, 7, 4));
        EXPECT_LT(std::abs(current - centre.current_value) * 5000, centre.current_value)
            << "the tool's stability lamp could never turn green";
        currents.insert(field(reply, 7, 4));
    }
    EXPECT_GT(currents.size(), 1u);
    EXPECT_EQ(polls_of_first_sensor({.seed = 7}), replies);
    EXPECT_NE(polls_of_first_sensor({.seed = 8}), replies);
    const std::vector<Bytes> steady = polls_of_first_sensor({.seed = 7, .steady = true});
    EXPECT_EQ(std::set<Bytes>(steady.begin(), steady.end()).size(), 1u);
}

}  // namespace
}  // namespace qm720::sim
