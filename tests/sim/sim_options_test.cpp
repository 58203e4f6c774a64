#include "sim/sim_options.h"

#include <gtest/gtest.h>

#include "sim/sensor_option.h"

namespace qm720::sim {
namespace {

SimOptions parse(std::vector<std::string> arguments) {
    return parse_options(arguments);
}

TEST(SimOptions, NoArgumentsGiveTheDefaultBus) {
    const SimOptions options = parse({});
    ASSERT_EQ(options.sensors.size(), 3u);
    EXPECT_EQ(options.sensors[2].address, 17);
    EXPECT_FALSE(options.bus.steady);
    EXPECT_FALSE(options.line.close_after.has_value());
}

TEST(SimOptions, SensorKeysAndLineOptionsLandWhereTheyBelong) {
    const SimOptions options = parse(
        {"--sensor", "3:serial=77,mode=0x89,temp=-5,current=4000000000,k=7,password=4711,badcrc",
         "--sensor", "9:silent,garbage=0", "--garbage", "--seed", "42", "--gap", "40",
         "--close-after", "3"});
    ASSERT_EQ(options.sensors.size(), 2u);
    const SensorSettings& first = options.sensors[0];
    EXPECT_EQ(first.address, 3);
    EXPECT_EQ(first.serial_number, 77u);
    EXPECT_EQ(first.mode, 0x89);
    EXPECT_EQ(first.temperature, -5);
    EXPECT_EQ(first.current_value, 4'000'000'000u);
    EXPECT_EQ(first.k_value, 7);
    EXPECT_EQ(first.password, 4711u);
    EXPECT_TRUE(first.faults.bad_crc);
    EXPECT_TRUE(options.sensors[1].faults.silent);
    EXPECT_TRUE(first.faults.garbage && options.sensors[1].faults.garbage) << "bus-wide fault";
    EXPECT_EQ(options.bus.seed, 42u);
    EXPECT_EQ(options.line.gap_ms, 40u);
    EXPECT_EQ(options.line.close_after, 3u);
}

TEST(SimOptions, UnusableArgumentsAreRefused) {
    const std::vector<std::vector<std::string>> cases = {
        {"--frobnicate"},           {"--link"},
        {"--sensor", "256"},        {"--sensor", "3:colour=red"},
        {"--sensor", "3:serial"},   {"--sensor", "3:serial=4294967296"},
        {"--sensor", "3:temp=128"}, {"--sensor", "3:level=12abc"},
        {"--sensor", "3:silent=2"}, {"--sensor", "3", "--sensor", "3:serial=5"},
        {"--close-after", "0"},     {"--gap", "-5"},
    };
    for (const auto& arguments : cases) {
        EXPECT_THROW(parse(arguments), OptionError) << arguments.back();
    }
}

}  // namespace
}  // namespace qm720::sim
