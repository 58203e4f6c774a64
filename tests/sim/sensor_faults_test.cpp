#include <gtest/gtest.h>

#include <cstdlib>
#include <set>

#include "hex.h"
#include "protocol/reply_frame.h"
#include "protocol/requests.h"
#include "reply_fields.h"
#include "sim/sensor_bus.h"

namespace qm720::sim {
namespace {

using test::field;
using test::hex;

std::vector<SensorSettings> bus_with_faulty_five(SensorFaults faults) {
    std::vector<SensorSettings> sensors = default_bus();
    sensors[1].faults = faults;
    return sensors;
}

TEST(SensorFaults, SilentSensorIsAbsentEvenFromTheScan) {
    SensorBus bus(bus_with_faulty_five({.silent = true}), {});
    EXPECT_TRUE(bus.answer(poll_request(5)).empty());
    EXPECT_TRUE(bus.answer(identity_request(5)).empty());
    EXPECT_TRUE(bus.answer(calibrate_request(5, Level::Full)).empty());
    EXPECT_EQ(bus.answer(network_scan_request()), hex("01 11"));
    EXPECT_EQ(bus.answer(poll_request(1)).size(), 22u) << "the others still answer";
}

TEST(SensorFaults, BadCrcSpoilsOnlyTheMeasurementCrc) {
    SensorBus faulty(bus_with_faulty_five({.bad_crc = true}), {.seed = 3, .steady = true});
    SensorBus sound(default_bus(), {.seed = 3, .steady = true});
    const Bytes spoiled = faulty.answer(poll_request(5));
    const Bytes honest = sound.answer(poll_request(5));
    ASSERT_EQ(spoiled.size(), honest.size());
    EXPECT_FALSE(reply_intact(spoiled));
    EXPECT_EQ(Bytes(spoiled.begin(), spoiled.end() - 1), Bytes(honest.begin(), honest.end() - 1));
    EXPECT_TRUE(reply_intact(faulty.answer(identity_request(5))));
    EXPECT_TRUE(reply_intact(faulty.answer(calibrate_request(5, Level::Full))));
}

TEST(SensorFaults, UnknownCodeReplacesEveryReplyCodeKeepingTheCrcRight) {
    SensorBus bus(bus_with_faulty_five({.unknown_code = true}), {});
    for (const Bytes& request : {poll_request(5), identity_request(5), set_mode_request(5, 1),
                                 *enter_password_request(5, 0)}) {
        const Bytes reply = bus.answer(request);
        ASSERT_GE(reply.size(), 4u);
        EXPECT_EQ(reply[0], kReplyPrefix);
        EXPECT_EQ(reply[2], 0xE7);
        EXPECT_TRUE(reply_intact(reply));
    }
}

TEST(SensorFaults, GarbageIsNeverTakenForAReplyFrame) {
    SensorBus bus(bus_with_faulty_five({.garbage = true}), {});
    // Enough polls that a first byte of 0x3E would turn up by chance if it were allowed.
    for (int poll = 0; poll < 3000; ++poll) {
        const Bytes reply = bus.answer(poll_request(5));
        ASSERT_EQ(reply.size(), 22u);
        ASSERT_FALSE(is_reply_frame(reply)) << "poll " << poll;
    }
    EXPECT_EQ(bus.answer(identity_request(5)).size(), 10u);
    EXPECT_EQ(bus.answer(network_scan_request()), hex("01 05 11"));
}

// The readings of `polls` polls of sensor 1.
std::vector<Bytes> readings(BusOptions options, int polls) {
    SensorBus bus(default_bus(), options);
    std::vector<Bytes> replies;
    for (int k = 0; k < polls; ++k) {
        replies.push_back(bus.answer(poll_request(1)));
    }
    return replies;
}

TEST(SensorReadings, WanderALittleAroundTheirCentre) {
    const SensorSettings centre = default_bus().front();
    std::set<std::uint32_t> currents;
    for (const Bytes& reply : readings({.seed = 7}, 50)) {
        ASSERT_TRUE(reply_intact(reply));
        EXPECT_LE(std::abs(static_cast<int>(field(reply, 5, 2)) - centre.level), 2);
        EXPECT_LE(std::abs(static_cast<std::int8_t>(reply[3]) - centre.temperature), 1);
        const auto current = static_cast<std::int64_t>(field(reply, 7, 4));
        EXPECT_LT(std::abs(current - centre.current_value) * 5000, centre.current_value)
            << "the stability lamp could never turn green";
        currents.insert(field(reply, 7, 4));
    }
    EXPECT_GT(currents.size(), 1u);
}

TEST(SensorReadings, OneSeedGivesOneRunAndSteadyNeverMoves) {
    EXPECT_EQ(readings({.seed = 7}, 20), readings({.seed = 7}, 20));
    EXPECT_NE(readings({.seed = 7}, 20), readings({.seed = 8}, 20));
    const std::vector<Bytes> steady = readings({.seed = 7, .steady = true}, 20);
    EXPECT_EQ(std::set<Bytes>(steady.begin(), steady.end()).size(), 1u);
}

TEST(SensorReadings, CalibrationTakesTheValueLastReported) {
    const SensorSettings centre = default_bus().front();
    SensorBus bus(default_bus(), {.seed = 11});
    std::uint32_t reported = centre.current_value;
    for (int poll = 0; poll < 50 && reported == centre.current_value; ++poll) {
        reported = field(bus.answer(poll_request(1)), 7, 4);
    }
    ASSERT_NE(reported, centre.current_value) << "the reading never left its centre";
    bus.answer(calibrate_request(1, Level::Full));
    EXPECT_EQ(field(bus.answer(poll_request(1)), 15, 4), reported);
}

}  // namespace
}  // namespace qm720::sim
