#include <gtest/gtest.h>

#include <limits>

#include "hex.h"
#include "protocol/reply_frame.h"
#include "protocol/requests.h"
#include "reply_fields.h"

namespace qm720::sim {
namespace {

using test::field;
using test::hex;
using test::steady_bus;

constexpr std::uint32_t kTop = std::numeric_limits<std::uint32_t>::max();

TEST(SensorCommands, CalibrationStoresTheCurrentValue) {
    const SensorSettings sensor = default_bus()[1];
    SensorBus bus = steady_bus(default_bus());
    bus.answer(calibrate_request(5, Level::Full));
    Bytes poll = bus.answer(poll_request(5));
    EXPECT_EQ(field(poll, 15, 4), sensor.current_value);
    EXPECT_EQ(field(poll, 11, 4), sensor.empty_level);
    bus.answer(calibrate_request(5, Level::Empty));
    poll = bus.answer(poll_request(5));
    EXPECT_EQ(field(poll, 11, 4), sensor.current_value);
}

TEST(SensorCommands, ShiftsMoveOneLevelAndStopAtTheEnds) {
    const struct {
        std::uint32_t empty, full;
        Level level;
        std::int16_t amount;
        std::uint32_t expected_empty, expected_full;
    } cases[] = {
        {100000, 190000, Level::Full, -1000, 100000, 189000},
        {100000, 190000, Level::Empty, 1000, 101000, 190000},
        {100000, 190000, Level::Empty, -1, 99999, 190000},
        {100000, 500, Level::Full, -1000, 100000, 0},
        {kTop - 10, 190000, Level::Empty, 1000, kTop, 190000},
    };
    for (const auto& c : cases) {
        SensorSettings sensor;
        sensor.empty_level = c.empty;
        sensor.full_level = c.full;
        SensorBus bus = steady_bus({sensor});
        ASSERT_FALSE(bus.answer(shift_request(1, c.level, c.amount)).empty());
        const Bytes poll = bus.answer(poll_request(1));
        EXPECT_EQ(field(poll, 11, 4), c.expected_empty) << c.amount;
        EXPECT_EQ(field(poll, 15, 4), c.expected_full) << c.amount;
    }
}

TEST(SensorCommands, ModeAndSerialNumberShowInLaterReplies) {
    SensorBus bus = steady_bus(default_bus());
    bus.answer(set_mode_request(5, 0x83));
    EXPECT_EQ(bus.answer(poll_request(5))[20], 0x83);
    EXPECT_EQ(bus.answer(poll_request(1))[20], 0x00) << "another sensor's mode changed";

    bus.answer(hex("31 01 F6 00 0F 42 40 37"));
    EXPECT_EQ(field(bus.answer(identity_request(1)), 4, 4), 1'000'000u);
}

TEST(SensorCommands, NewAddressHoldsAfterTheConfirmationFromTheOldOne) {
    SensorBus bus = steady_bus(default_bus());
    EXPECT_EQ(bus.answer(hex("31 01 FB 07 55"))[1], 1);
    EXPECT_TRUE(bus.answer(poll_request(1)).empty());
    EXPECT_EQ(bus.answer(poll_request(7))[1], 7);
    EXPECT_EQ(bus.answer(network_scan_request()), hex("07 05 11"));
}

TEST(SensorCommands, PasswordMustBeEnteredBeforeItCanBeChanged) {
    constexpr auto kEnter = CommandCode::EnterPassword;
    constexpr auto kChange = CommandCode::ChangePassword;
    constexpr std::uint8_t kRefused = kPasswordRefusedCode;
    const struct {
        std::uint32_t stored;
        std::vector<std::tuple<CommandCode, std::int64_t, std::uint8_t>> steps;
    } conversations[] = {
        {4711,
         {{kEnter, 4712, kRefused},
          {kChange, 99, kRefused},
          {kEnter, 4711, 0xF8},
          {kChange, 2'000'000'000, 0xF7},
          {kEnter, 4711, kRefused},
          {kEnter, 2'000'000'000, 0xF8}}},
        {4711, {{kEnter, 4711, 0xF8}, {kEnter, 0, kRefused}, {kChange, 5, kRefused}}},
        {0, {{kChange, 16'777'216, 0xF7}, {kEnter, 0, kRefused}, {kEnter, 16'777'216, 0xF8}}},
    };
    for (const auto& conversation : conversations) {
        SensorSettings sensor;
        sensor.password = conversation.stored;
        SensorBus bus = steady_bus({sensor});
        for (const auto& [command, password, reply_code] : conversation.steps) {
            const Bytes reply = bus.answer(*four_byte_request(1, command, password));
            ASSERT_EQ(reply.size(), 4u);
            EXPECT_TRUE(reply_intact(reply));
            EXPECT_EQ(reply[2], reply_code) << conversation.stored << " then " << password;
        }
    }
}

}  // namespace
}  // namespace qm720::sim
