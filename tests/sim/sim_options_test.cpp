#include "sim/sim_options.h"

#include <gtest/gtest.h>

#include "sim/sensor_option.h"

namespace qm720::sim {
namespace {

SimOptions parse(std::vector<std::string> arguments) {
    return parse_options(arguments);
}

TEST(SimOptions, NoArgumentsGiveTheDefaultBusMovingAndUnlinked) {
    const SimOptions options = parse({});
    ASSERT_EQ(options.sensors.size(), 3u);
    EXPECT_EQ(options.sensors[0].address, 1);
    EXPECT_EQ(options.sensors[1].address, 5);
    EXPECT_EQ(options.sensors[2].address, 17);
    EXPECT_TRUE(options.link_path.empty());
    EXPECT_FALSE(options.bus.steady);
    EXPECT_FALSE(options.line.answer_delay_ms.has_value());
    EXPECT_FALSE(options.line.close_after.has_value());
    EXPECT_EQ(options.line.gap_ms, 0u);
}

TEST(SimOptions, EveryOptionLandsWhereItBelongs) {
    const SimOptions options =
        parse({"--link", "/tmp/ports/COM1", "--sensor",
               "3:serial=77,version=0x83,prefix=2,mode=0x89,level=1000,temp=-5,current=4000000000,"
               "empty=90000,full=171000,k=7,password=4711,badcrc",
               "--sensor", "9:silent,garbage=0", "--steady", "--seed", "42", "--answer-delay", "10",
               "--gap", "40", "--close-after", "3", "--verbose"});
    EXPECT_EQ(options.link_path, "/tmp/ports/COM1");
    ASSERT_EQ(options.sensors.size(), 2u);
    const SensorSettings& first = options.sensors[0];
    EXPECT_EQ(first.address, 3);
    EXPECT_EQ(first.serial_number, 77u);
    EXPECT_EQ(first.software_version, 0x83);
    EXPECT_EQ(first.version_prefix, 2);
    EXPECT_EQ(first.mode, 0x89);
    EXPECT_EQ(first.level, 1000);
    EXPECT_EQ(first.temperature, -5);
    EXPECT_EQ(first.current_value, 4'000'000'000u);
    EXPECT_EQ(first.empty_level, 90000u);
    EXPECT_EQ(first.full_level, 171000u);
    EXPECT_EQ(first.k_value, 7);
    EXPECT_EQ(first.password, 4711u);
    EXPECT_TRUE(first.faults.bad_crc);
    EXPECT_FALSE(first.faults.silent);
    EXPECT_TRUE(options.sensors[1].faults.silent);
    EXPECT_FALSE(options.sensors[1].faults.garbage);
    EXPECT_TRUE(options.bus.steady);
    EXPECT_EQ(options.bus.seed, 42u);
    EXPECT_EQ(options.line.answer_delay_ms, 10u);
    EXPECT_EQ(options.line.gap_ms, 40u);
    EXPECT_EQ(options.line.close_after, 3u);
    EXPECT_TRUE(options.line.verbose);
}

TEST(SimOptions, BusWideFaultsReachEverySensor) {
    for (const SensorSettings& sensor : parse({"--unknown-code"}).sensors) {
        EXPECT_TRUE(sensor.faults.unknown_code);
        EXPECT_FALSE(sensor.faults.garbage);
    }
    for (const SensorSettings& sensor :
         parse({"--sensor", "2", "--sensor", "4", "--garbage"}).sensors) {
        EXPECT_TRUE(sensor.faults.garbage);
    }
}

TEST(SimOptions, SensorWithoutKeysGetsPlausibleValuesOfItsOwn) {
    const SimOptions options = parse({"--sensor", "2", "--sensor", "200"});
    ASSERT_EQ(options.sensors.size(), 2u);
    for (const SensorSettings& sensor : options.sensors) {
        const double ratio = static_cast<double>(sensor.full_level) / sensor.empty_level;
        EXPECT_GT(ratio, 1.8);
        EXPECT_LT(ratio, 1.98);
        EXPECT_GT(sensor.current_value, sensor.empty_level);
        EXPECT_LT(sensor.current_value, sensor.full_level);
    }
    EXPECT_NE(options.sensors[0].serial_number, options.sensors[1].serial_number);
    EXPECT_NE(options.sensors[0].empty_level, options.sensors[1].empty_level);
}

TEST(SimOptions, UnusableArgumentsAreRefused) {
    const std::vector<std::vector<std::string>> cases = {
        {"--frobnicate"},
        {"--link"},
        {"--sensor"},
        {"--sensor", "256"},
        {"--sensor", "-1"},
        {"--sensor", "x"},
        {"--sensor", "3:colour=red"},
        {"--sensor", "3:serial"},
        {"--sensor", "3:serial=-1"},
        {"--sensor", "3:serial=4294967296"},
        {"--sensor", "3:temp=128"},
        {"--sensor", "3:mode=0x100"},
        {"--sensor", "3:level=12abc"},
        {"--sensor", "3:silent=2"},
        {"--sensor", "3", "--sensor", "3:serial=5"},
        {"--seed", "seven"},
        {"--close-after", "0"},
        {"--gap", "-5"},
        {"--answer-delay"},
    };
    for (const auto& arguments : cases) {
        EXPECT_THROW(parse(arguments), OptionError)
            << arguments.front() << " " << (arguments.size() > 1 ? arguments[1] : "");
    }
}

TEST(SimOptions, HelpNamesEveryOptionAndTheDefaultSensors) {
    const std::string help = usage_text();
    for (const char* option :
         {"--link",   "--sensor",      "--steady",       "--seed",    "--answer-delay",
          "--gap",    "--close-after", "--unknown-code", "--garbage", "--verbose",
          "--help",   "silent",        "badcrc",         "unknown",   "garbage",
          "password", "0xFD",          "123456",         "200501",    "1017"}) {
        EXPECT_NE(help.find(option), std::string::npos) << option;
    }
    EXPECT_TRUE(parse({"--help"}).help);
}

}  // namespace
}  // namespace qm720::sim
