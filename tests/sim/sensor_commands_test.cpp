#include <gtest/gtest.h>

#include <limits>

#include "hex.h"
#include "protocol/reply_frame.h"
#include "protocol/requests.h"
#include "reply_fields.h"
#include "sim/sensor_bus.h"

namespace qm720::sim {
namespace {

using test::field;
using test::hex;

constexpr std::uint32_t kMaxLevelValue = std::numeric_limits<std::uint32_t>::max();

SensorBus steady_bus(const std::vector<SensorSettings>& sensors) {
    return SensorBus(sensors, BusOptions{.seed = 1, .steady = true});
}

struct Calibration {
    std::uint32_t current, empty, full;
};

Calibration calibration_of(SensorBus& bus, std::uint8_t address) {
    const Bytes reply = bus.answer(poll_request(address));
    EXPECT_TRUE(reply_intact(reply));
    return {field(reply, 7, 4), field(reply, 11, 4), field(reply, 15, 4)};
}

TEST(SensorCommands, CalibrationStoresTheCurrentValue) {
    SensorBus bus = steady_bus(default_bus());
    const Calibration before = calibration_of(bus, 5);
    ASSERT_NE(before.current, before.full);
    ASSERT_NE(before.current, before.empty);

    ASSERT_FALSE(bus.answer(calibrate_request(5, Level::Full)).empty());
    Calibration after = calibration_of(bus, 5);
    EXPECT_EQ(after.full, before.current);
    EXPECT_EQ(after.empty, before.empty);

    ASSERT_FALSE(bus.answer(calibrate_request(5, Level::Empty)).empty());
    after = calibration_of(bus, 5);
    EXPECT_EQ(after.empty, before.current);
    EXPECT_EQ(after.full, before.current);
}

TEST(SensorCommands, ShiftsMoveOneLevelAndStopAtTheEndsOfTheRange) {
    const struct {
        const char* what;
        std::uint32_t empty, full;
        Level level;
        std::int16_t amount;
        std::uint32_t expected_empty, expected_full;
    } cases[] = {
        {"full down", 100000, 190000, Level::Full, -1000, 100000, 189000},
        {"full up", 100000, 190000, Level::Full, 1000, 100000, 191000},
        {"empty up", 100000, 190000, Level::Empty, 1000, 101000, 190000},
        {"empty down by one", 100000, 190000, Level::Empty, -1, 99999, 190000},
        {"full stops at 0", 100000, 500, Level::Full, -1000, 100000, 0},
        {"empty stops at 0", 999, 190000, Level::Empty, -1000, 0, 190000},
        {"empty stops at the top", kMaxLevelValue - 10, 190000, Level::Empty, 1000, kMaxLevelValue,
         190000},
        {"full stops at the top", 100000, kMaxLevelValue, Level::Full, 1, 100000, kMaxLevelValue},
    };
    for (const auto& c : cases) {
        SensorSettings sensor;
        sensor.address = 3;
        sensor.empty_level = c.empty;
        sensor.full_level = c.full;
        SensorBus bus = steady_bus({sensor});
        ASSERT_FALSE(bus.answer(shift_request(3, c.level, c.amount)).empty()) << c.what;
        const Calibration after = calibration_of(bus, 3);
        EXPECT_EQ(after.empty, c.expected_empty) << c.what;
        EXPECT_EQ(after.full, c.expected_full) << c.what;
    }
}

TEST(SensorCommands, NewModeShowsInLaterPolls) {
    SensorBus bus = steady_bus(default_bus());
    EXPECT_EQ(bus.answer(set_mode_request(5, 0x83))[3], 0x83);
    EXPECT_EQ(bus.answer(poll_request(5))[20], 0x83);
    EXPECT_EQ(bus.answer(poll_request(1))[20], 0x00) << "another sensor's mode changed";
}

TEST(SensorCommands, NewAddressHoldsAfterTheConfirmation) {
    SensorBus bus = steady_bus(default_bus());
    const Bytes confirmation = bus.answer(hex("31 01 FB 07 55"));
    ASSERT_EQ(confirmation.size(), 4u);
    EXPECT_EQ(confirmation[1], 1) << "the confirmation comes from the old address";

    EXPECT_TRUE(bus.answer(poll_request(1)).empty());
    const Bytes reply = bus.answer(poll_request(7));
    ASSERT_EQ(reply.size(), 22u);
    EXPECT_EQ(reply[1], 7);
    EXPECT_EQ(bus.answer(network_scan_request()), hex("07 05 11"));
}

TEST(SensorCommands, WrittenSerialNumberShowsInTheIdentity) {
    SensorBus bus = steady_bus(default_bus());
    ASSERT_FALSE(bus.answer(hex("31 01 F6 00 0F 42 40 37")).empty());
    const Bytes identity = bus.answer(identity_request(1));
    EXPECT_EQ(Bytes(identity.begin() + 3, identity.begin() + 7), hex("40 42 0F 00"));
    EXPECT_EQ(field(identity, 4, 4), 1'000'000u);
    EXPECT_TRUE(reply_intact(identity));
}

// One step of a password conversation: the request and the reply code it must get.
struct PasswordStep {
    CommandCode command;
    std::int64_t password;
    std::uint8_t reply_code;
};

void run_password_steps(std::uint32_t stored, std::initializer_list<PasswordStep> steps) {
    SensorSettings sensor;
    sensor.address = 1;
    sensor.password = stored;
    SensorBus bus = steady_bus({sensor});
    int step_number = 0;
    for (const PasswordStep& step : steps) {
        ++step_number;
        const Bytes reply = bus.answer(*four_byte_request(1, step.command, step.password));
        ASSERT_EQ(reply.size(), 4u) << "step " << step_number;
        EXPECT_TRUE(reply_intact(reply)) << "step " << step_number;
        EXPECT_EQ(reply[2], step.reply_code) << "step " << step_number;
    }
}

constexpr auto kEnter = CommandCode::EnterPassword;
constexpr auto kChange = CommandCode::ChangePassword;
constexpr std::uint8_t kAccepted = 0xF8;
constexpr std::uint8_t kChanged = 0xF7;
constexpr std::uint8_t kRefused = kPasswordRefusedCode;

TEST(SensorCommands, PasswordIsCheckedBeforeItCanBeChanged) {
    run_password_steps(4711, {
                                 {kEnter, 4712, kRefused},
                                 {kChange, 99, kRefused},
                                 {kEnter, 4711, kAccepted},
                                 {kChange, 2'000'000'000, kChanged},
                                 {kEnter, 4711, kRefused},
                                 {kEnter, 2'000'000'000, kAccepted},
                             });
}

TEST(SensorCommands, WrongPasswordCancelsAnEarlierRightOne) {
    run_password_steps(4711, {
                                 {kEnter, 4711, kAccepted},
                                 {kEnter, 0, kRefused},
                                 {kChange, 5, kRefused},
                             });
}

TEST(SensorCommands, SensorWithoutPasswordTakesANewOneAtOnce) {
    run_password_steps(0, {
                              {kEnter, 1, kRefused},
                              {kEnter, 0, kAccepted},
                              {kChange, 16'777'216, kChanged},
                              {kEnter, 0, kRefused},
                              {kEnter, 16'777'216, kAccepted},
                          });
    run_password_steps(0, {{kChange, 12, kChanged}});
}

TEST(SensorCommands, CommandsReachOnlyTheAddressedSensor) {
    SensorBus bus = steady_bus(default_bus());
    const Calibration untouched = calibration_of(bus, 17);
    bus.answer(calibrate_request(1, Level::Full));
    bus.answer(shift_request(1, Level::Empty, 1000));
    bus.answer(*write_serial_number_request(1, 42));
    const Calibration after = calibration_of(bus, 17);
    EXPECT_EQ(after.empty, untouched.empty);
    EXPECT_EQ(after.full, untouched.full);
    EXPECT_EQ(field(bus.answer(identity_request(17)), 4, 4), 1017u);
}

}  // namespace
}  // namespace qm720::sim
